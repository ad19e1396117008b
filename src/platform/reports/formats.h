#pragma once
// The kinds of file a report is written to, listed once: each with its
// name as the file dialog offers it, its extension and its writer. A window
// offers some of them and takes the one the chosen file's name says; no
// caller compares extensions itself.

#include "core/platform/sheet.h"
#include "platform/reports/progress.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace platine {

class Dialogs;

enum class FileKind { Csv, Workbook, Pdf };

// A French text of the table below in the window's language.
QString shownText(const QString &french);

struct ReportFormat {
    FileKind kind;
    // The French texts, shown translated (context "Reports", shownText).
    QString name;      // "Classeur"
    QString extension; // "xlsx", without the dot
    // What a long writing shows beside "Annuler" ("%1": the file's name);
    // empty: it is quick and shows nothing.
    QString progress;
    // The report's bytes; false with `error` (French, "annulé" when the
    // progress said stop).
    std::function<bool(const Report &, std::string &bytes, std::string &error, const ProgressFn &)>
        write;

    QString nameFilter() const; // "Classeur (*.xlsx)"
};

// Every format, in the order of FileKind.
const std::vector<ReportFormat> &reportFormats();
const ReportFormat &reportFormat(FileKind kind);

// The format among `offered` that the extension of `path` names (letter
// case ignored); null when none does.
const ReportFormat *formatOfFile(const QString &path, const std::vector<FileKind> &offered);
// The extensions offered in words: ".csv ou .xlsx".
QString extensionsInWords(const std::vector<FileKind> &offered);

enum class WriteOutcome { Written, Cancelled, Failed };

// Writes `report` to `path` in `format`, the file replaced atomically; a
// long one shows its progress over `parent`. Failed: `error` says why (French).
WriteOutcome writeReport(const ReportFormat &format, const Report &report, const QString &path,
                         QString &error, QWidget *parent);

// The whole of an export button: asks for a file among the `offered` kinds
// (the first proposed, as `fileTitle` with its extension; a name typed
// without extension takes the first kind's), makes the report and writes it;
// a name of another kind, or a file that could not be written, is told in a
// box titled `caption`. Every dialog is modal over `parent`.
WriteOutcome exportReport(Dialogs &dialogs, QWidget *parent, const QString &caption,
                          const QString &fileTitle, const std::vector<FileKind> &offered,
                          const std::function<Report()> &report);

} // namespace platine
