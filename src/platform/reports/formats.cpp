#include "platform/reports/formats.h"

#include "core/platform/files.h"
#include "platform/platform.h"
#include "platform/reports/table_report.h"
#include "platform/reports/xlsx.h"
#include "platform/text.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platine {

QString shownText(const QString &french)
{
    return french.isEmpty() ? french
                            : QCoreApplication::translate("Reports", french.toUtf8().constData());
}

QString ReportFormat::nameFilter() const
{
    return QStringLiteral("%1 (*.%2)").arg(shownText(name), extension);
}

const std::vector<ReportFormat> &reportFormats()
{
    static const std::vector<ReportFormat> formats = {
        {FileKind::Csv, QString::fromUtf8(QT_TRANSLATE_NOOP("Reports", "Tableur")),
         QStringLiteral("csv"), QString(),
         [](const Report &r, std::string &bytes, std::string &, const ProgressFn &) {
             bytes = sheetsCsv(r.sheets);
             return true;
         }},
        {FileKind::Workbook, QString::fromUtf8(QT_TRANSLATE_NOOP("Reports", "Classeur")),
         QStringLiteral("xlsx"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("Reports", "Écriture du classeur « %1 »…")),
         [](const Report &r, std::string &bytes, std::string &error, const ProgressFn &progress) {
             return xlsxBytes(r.sheets, bytes, error, progress);
         }},
        {FileKind::Pdf, QStringLiteral("PDF"), QStringLiteral("pdf"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("Reports", "Mise en page de « %1 »…")),
         [](const Report &r, std::string &bytes, std::string &error, const ProgressFn &progress) {
             return reportPdf(r, bytes, error, progress);
         }},
    };
    return formats;
}

const ReportFormat &reportFormat(FileKind kind)
{
    return reportFormats()[std::size_t(kind)];
}

const ReportFormat *formatOfFile(const QString &path, const std::vector<FileKind> &offered)
{
    const QString suffix = QFileInfo(path).suffix();
    for (FileKind kind : offered)
        if (suffix.compare(reportFormat(kind).extension, Qt::CaseInsensitive) == 0)
            return &reportFormat(kind);
    return nullptr;
}

QString extensionsInWords(const std::vector<FileKind> &offered)
{
    QStringList names;
    for (FileKind kind : offered)
        names << QLatin1Char('.') + reportFormat(kind).extension;
    if (names.size() < 2)
        return names.join(QString());
    const QString last = names.takeLast();
    return QCoreApplication::translate("Reports", "%1 ou %2")
        .arg(names.join(QStringLiteral(", ")), last);
}

WriteOutcome writeReport(const ReportFormat &format, const Report &report, const QString &path,
                         QString &error, QWidget *parent)
{
    std::string bytes, why;
    bool made = false;
    if (format.progress.isEmpty()) {
        made = format.write(report, bytes, why, {});
    } else {
        ProgressBox progress(parent, shownText(format.progress).arg(QFileInfo(path).fileName()));
        made = format.write(report, bytes, why, progress.fn());
    }
    if (made && files::writeAtomic(nativePath(path), bytes, &why))
        return WriteOutcome::Written;
    error = QString::fromStdString(why);
    return made || why != "annulé" ? WriteOutcome::Failed : WriteOutcome::Cancelled;
}

WriteOutcome exportReport(Dialogs &dialogs, QWidget *parent, const QString &caption,
                          const QString &fileTitle, const std::vector<FileKind> &offered,
                          const std::function<Report()> &report)
{
    QStringList kinds;
    for (FileKind kind : offered)
        kinds << reportFormat(kind).nameFilter();
    const QString words = extensionsInWords(offered);
    QString path = dialogs.saveFileOfKinds(
        offered.size() > 1 ? QStringLiteral("%1 (%2)").arg(caption, words) : caption,
        fileTitle + QLatin1Char('.') + reportFormat(offered.front()).extension, kinds, parent);
    if (path.isEmpty())
        return WriteOutcome::Cancelled;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + reportFormat(offered.front()).extension;
    QString error;
    WriteOutcome outcome = WriteOutcome::Failed;
    if (const ReportFormat *format = formatOfFile(path, offered))
        outcome = writeReport(*format, report(), path, error, parent);
    else
        error =
            QCoreApplication::translate("Reports", "choisir un nom de fichier en %1").arg(words);
    if (outcome == WriteOutcome::Failed)
        dialogs.message(MsgIcon::Critical, MsgButtons::Ok, caption,
                        QCoreApplication::translate("Reports", "« %1 » n'a pas été écrit : %2")
                            .arg(path, error),
                        parent);
    return outcome;
}

} // namespace platine
