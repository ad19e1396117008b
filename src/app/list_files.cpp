// The list files: the reader into the record tables, opening a list,
// creating a new one, saving the console pane, saving one record; a list
// saved as a spreadsheet table (".csv") and a table read back as a list.

#include "app/form2.h"
#include "core/board/operations_journal.h"
#include "platform/operations_recorder.h"
#include "app/form2_ui.h"
#include "app/list_dates.h"
#include "app/list_lock.h"
#include "core/badges/list_table.h"
#include "core/badges/listfile.h"
#include "core/badges/validity.h"
#include "core/platform/files.h"
#include "platform/file_lock.h"
#include "platform/text.h"
#include "serial/pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace platine {

namespace {

const QString kStar = QStringLiteral("*.txt");
// Asked for when shown: the language is installed after the statics are made.
QString openTitle()
{
    return QCoreApplication::translate("platine::Form2", "Ouvrir une liste enregistrée");
}
// "Enregistrement effectué" stays this long; the window waits meanwhile.
constexpr Millis kConfirmation{1000};

// The list's bytes; a file that exists but cannot be read gives nothing and
// `error`; a missing file gives the empty text when `missingIsEmpty`.
std::optional<std::string> readList(const std::string &path, bool missingIsEmpty,
                                    std::string &error)
{
    std::error_code ec;
    if (missingIsEmpty && !std::filesystem::exists(path, ec) && !ec)
        return std::string();
    return files::read(path, &error);
}

// What became of a replacement of a list file.
enum class Replaced { Written, Kept, Failed };

// Replaces the list file `path` with what `edit` makes of its bytes (a
// missing file reads as empty), holding the file's lock from the read to the
// replacement: two copies of the program take turns. When the file is no
// longer `expected` (what this copy last read of it), the operator is told
// and asked first, with the lock released meanwhile; "Non" keeps the file.
// `written` gets the bytes written.
Replaced replaceList(Dialogs &dialogs, const QString &title, const QString &path,
                     const std::optional<std::string> &expected, const QString &question,
                     const std::function<std::string(const std::string &)> &edit,
                     std::string &written, std::string &error)
{
    std::optional<std::string> accepted; // the outside change the operator let pass
    for (;;) {
        std::optional<std::string> changedOutside;
        {
            FileLock lock(path);
            if (!lock.locked()) {
                error = listLockRefusal(lock);
                return Replaced::Failed;
            }
            const std::optional<std::string> current = readList(nativePath(path), true, error);
            if (!current)
                return Replaced::Failed;
            if (!expected || *current == *expected || (accepted && *current == *accepted)) {
                written = edit(*current);
                return files::writeAtomic(nativePath(path), written, &error) ? Replaced::Written
                                                                             : Replaced::Failed;
            }
            changedOutside = current;
        }
        if (dialogs.message(
                MsgIcon::Warning, MsgButtons::YesNo, title,
                QCoreApplication::translate("platine::Form2",
                                            "La liste a été modifiée hors du programme depuis son "
                                            "ouverture (« %1 »).\r\n")
                        .arg(QDir::toNativeSeparators(path)) +
                    question,
            nullptr, MsgAnswer::No) != MsgAnswer::Yes)
            return Replaced::Kept;
        accepted = changedOutside;
    }
}

// True when the two names are one file.
bool sameFile(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

// A name ending in ".csv" is a spreadsheet table.
bool isTable(const QString &path)
{
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

} // namespace

QString dateCourte(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString heureCourante(const QTime &time, const QLocale &locale)
{
    // The long format carries the seconds, and a time-zone name ("t") that
    // the header line has never shown; quoted text is kept as it is.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        kept += c;
    }
    return locale.toString(time, kept.simplified());
}

void Form2::showListFile(const QString &path, const QString &caption)
{
    m_ui->nom_fichier->setText(tr("Fichier en cours :%1").arg(caption));
    m_ui->nom_fichier->setToolTip(path);
    m_ui->nom_fichier->adjustSize(); // the caption is shown whole
}

bool Form2::requireOpenList()
{
    if (!m_liste.fichier.isEmpty())
        return true;
    m_platform.dialogs->message(
        MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Message"),
        tr("Vous devez ouvrir une liste avant\r\nd'effectuer des modifications"));
    return false;
}

ListReadReport Form2::reloadList()
{
    ListReadReport report;
    std::string error;
    const std::optional<std::string> content = files::read(nativePath(m_liste.fichier), &error);
    if (!content) {
        report.readable = false;
        report.error = error;
        m_liste.derniere_lecture = report;
        return report;
    }
    showListFile(m_liste.fichier, m_liste.fichier);
    m_liste.lue = *content;
    report = readList(*content, m_liste.tables);
    m_liste.nombre = report.count;
    m_ui->nombre_enregistrements->setText(QString::number(report.count));
    m_liste.derniere_lecture = report;
    return report;
}

void Form2::mise_en_tableau()
{
    const ListReadReport report = reloadList();
    if (!report.hasProblems())
        return;
    // One message for everything the read found.
    const MsgIcon icon = report.readable ? MsgIcon::Warning : MsgIcon::Critical;
    m_platform.dialogs->message(icon, MsgButtons::Ok, tr("Lecture de la liste"),
                                shownLines(readReportLines(report, m_liste.tables)));
}

void Form2::Command1_Click()
{
    setText1(QString());
    const QString path = m_platform.dialogs->openFile(openTitle(), kStar);
    if (path.isEmpty() || path == kStar)
        return; // cancelled
    if (!settleUnsavedEdits())
        return;
    if (isTable(path))
        importTable(path);
    else
        openListAt(path);
}

void Form2::showListInText1(std::string_view content)
{
    setText1(fromCp1252(linesWithCrLf(content)));
    m_text1ShowsList = true;
}

void Form2::openListAt(const QString &path)
{
    std::string error;
    const std::optional<std::string> content = files::read(nativePath(path), &error);
    if (!content) {
        m_platform.dialogs->message(MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Message"),
                                    tr("Impossible d'ouvrir la liste.\r\n") +
                                        QString::fromStdString(error));
        return;
    }
    showListInText1(*content);
    const QString title = QFileInfo(path).fileName();
    showListFile(path, title);
    m_liste.fichier = path;
    m_liste.titre = title;
    m_liste.lue = *content;
    emit listChanged();
}

void Form2::importTable(const QString &path)
{
    const auto refuse = [this](const QString &text) {
        m_platform.dialogs->message(MsgIcon::Critical, MsgButtons::Ok, openTitle(), text);
    };
    std::string error;
    const std::optional<std::string> bytes = files::read(nativePath(path), &error);
    if (!bytes) {
        refuse(tr("Impossible de lire le tableau.\r\n") + QString::fromStdString(error));
        return;
    }
    const TableImport table = readListTable(*bytes);
    if (!table.ok()) {
        // Every fault in the console pane, the first ten in the box.
        const QString title = tr("Le tableau n'a pas été lu, aucune liste n'a été écrite :");
        QString all = title, shown = title;
        const std::size_t kShown = 10;
        for (std::size_t i = 0; i < table.problems.size(); ++i) {
            const QString line =
                QStringLiteral("\r\n") + platine::shown(table.problems[i].message());
            all += line;
            if (i < kShown)
                shown += line;
        }
        if (table.problems.size() > kShown)
            shown += tr("\r\n… et %1 autres (la liste entière est dans la fenêtre)")
                         .arg(table.problems.size() - kShown);
        setText1(all);
        refuse(shown);
        return;
    }

    // The list goes beside the table, under the same name.
    const QFileInfo info(path);
    const QString listPath = info.dir().filePath(info.completeBaseName() + QStringLiteral(".txt"));
    const QString title = QFileInfo(listPath).fileName();
    if (QFileInfo::exists(listPath) &&
        m_platform.dialogs->message(
            MsgIcon::Question, MsgButtons::YesNo, openTitle(),
            tr("La liste « %1 » existe déjà.\r\nLa remplacer par celle du tableau ?")
                .arg(listPath),
            nullptr, MsgAnswer::No) != MsgAnswer::Yes)
        return; // the existing list stays as it is
    const QDateTime now = m_platform.clock->now();
    const QLocale locale = QLocale::system();
    const std::string list =
        listFromRecords(newListHeader(toCp1252(dateCourte(now.date(), locale)),
                                      toCp1252(heureCourante(now.time(), locale)), toCp1252(title)),
                        table.records);
    std::string written;
    if (replaceList(
            *m_platform.dialogs, openTitle(), listPath, std::nullopt, QString(),
            [&](const std::string &) { return list; }, written, error) != Replaced::Written) {
        refuse(tr("Impossible d'écrire la liste « %1 ».\r\n").arg(listPath) +
               QString::fromStdString(error));
        return;
    }
    openListAt(listPath);
    operations().record(op::kImport,
                        QStringLiteral("%1 enregistrement(s) depuis %2")
                            .arg(table.records.size())
                            .arg(QDir::toNativeSeparators(path)));
    if (!table.padded.empty()) {
        // Shown above the list: which numbers were given their zeros back.
        QString notes = tr("Numéros de badge complétés par des zéros à gauche :");
        for (const PaddedBadge &p : table.padded)
            notes += tr("\r\nLigne %1 : « %2 » devient %3")
                         .arg(p.line)
                         .arg(QString::fromStdString(p.typed), QString::fromStdString(p.badge));
        setText1(notes + QStringLiteral("\r\n\r\n") + text1());
    }
}

QString Form2::fileToWrite(const QString &title, const QString &preset)
{
    QString path = m_platform.dialogs->saveFile(title, preset);
    if (path.isEmpty() || path == kStar)
        return QString(); // cancelled
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    if (QFileInfo::exists(path) &&
        m_platform.dialogs->message(
            MsgIcon::Question, MsgButtons::YesNo, title,
            tr("Le fichier « %1 » existe déjà.\r\nLe remplacer ?").arg(path),
            nullptr, MsgAnswer::No) != MsgAnswer::Yes)
        return QString(); // the existing file stays as it is
    return path;
}

void Form2::Command4_Click()
{
    setText1(QString());
    const QString path = fileToWrite(tr("Nouvelle liste"), kStar);
    if (path.isEmpty() || !settleUnsavedEdits())
        return; // cancelled, the existing file kept, or the editor's edits kept
    const QDateTime now = m_platform.clock->now();
    const QLocale locale = QLocale::system();
    const QString title = QFileInfo(path).fileName();
    const std::string header =
        newListHeader(toCp1252(dateCourte(now.date(), locale)),
                      toCp1252(heureCourante(now.time(), locale)), toCp1252(title));
    std::string error, written;
    if (replaceList(
            *m_platform.dialogs, tr("Nouvelle liste"), path, std::nullopt, QString(),
            [&](const std::string &) { return header; }, written, error) != Replaced::Written) {
        m_platform.dialogs->message(MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Message"),
                                    tr("Impossible de créer la liste.\r\n") +
                                        QString::fromStdString(error));
        return;
    }
    showListFile(path, title);
    m_liste.fichier = path;
    m_liste.lue = header;
    operations().record(op::kNewList);
    emit listChanged();
}

void Form2::Command2_Click()
{
    // Only a list is ever saved: the pane when it shows the open list, the
    // list's file when the pane shows something else (a badge reading, the
    // history table).
    if (!requireOpenList())
        return;
    const QString title = tr("Enregistrer une liste sous");
    const QString preset = m_liste.titre.isEmpty() ? kStar : m_liste.titre;
    const QString path = fileToWrite(title, preset);
    if (path.isEmpty())
        return; // cancelled, or the existing file kept: nothing is written
    std::string error;
    const bool table = isTable(path);
    std::optional<std::string> list;
    if (table || !m_text1ShowsList) {
        list = files::read(nativePath(m_liste.fichier), &error);
    } else {
        // The pane as it shows the list: a list shown as it was read is its
        // bytes as they were, not the pane's lines (each given a CR LF).
        const QString pane = text1();
        for (const std::optional<std::string> &read :
             {m_liste.lue, files::read(nativePath(m_liste.fichier))})
            if (!list && read && pane == fromCp1252(linesWithCrLf(*read)))
                list = read;
        if (!list) {
            list = toCp1252(pane);
            if (!pane.isEmpty() && !pane.endsWith(QLatin1Char('\n')) &&
                !pane.endsWith(QLatin1Char('\r')))
                *list += "\r\n"; // the last line typed in the pane ends as the others
        }
    }
    // Written over the open list itself, the file must still be the one read.
    const bool overOpenList = sameFile(path, m_liste.fichier);
    std::string written, before;
    Replaced done = Replaced::Failed;
    if (list)
        done = replaceList(
            *m_platform.dialogs, title, path, overOpenList ? m_liste.lue : std::nullopt,
            tr("La remplacer quand même ? Les changements faits hors du programme "
               "seront perdus."),
            [&](const std::string &current) {
                before = current;
                return table ? listTable(*list) : *list;
            },
            written, error);
    if (done == Replaced::Kept) {
        m_ui->Label14->setText(tr("Rien n'a été enregistré : la liste a été modifiée "
                                  "hors du programme"));
        return;
    }
    if (done == Replaced::Failed) {
        m_platform.dialogs->message(MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Message"),
                                    (table ? tr("Impossible d'enregistrer le tableau.\r\n")
                                           : tr("Impossible d'enregistrer la liste.\r\n")) +
                                        QString::fromStdString(error));
        return;
    }
    if (overOpenList) {
        // The records the operator changed in the pane.
        operations().recordListChange(before, written);
        m_liste.lue = written;
        m_ui->Label14->setText(
            tr("Liste en cours enregistrée dans « %1 »").arg(QDir::toNativeSeparators(path)));
        emit listChanged();
        return;
    }
    // The copy is not the list in use: later edits still go to the open list.
    m_ui->Label14->setText(
        tr("Copie enregistrée dans « %1 » ; la liste en cours reste « %2 »")
            .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(m_liste.fichier)));
}

void Form2::Command7_Click()
{
    saveShownRecord();
}

bool Form2::saveShownRecord(QWidget *asker)
{
    const Form2Ui &u = *m_ui;
    if (!requireOpenList())
        return false;

    // A ticked box stands for 99 in its fields, whatever they show.
    if (u.Choix_24->isChecked())
        for (QLineEdit *e : {u.heure_debut, u.minute_debut, u.heure_fin, u.minute_fin})
            e->setText(QStringLiteral("99"));
    if (u.choix_lieu->isChecked())
        u.lieu->setText(QStringLiteral("99"));
    // Numbers are stored without the blanks typed around them, as the file
    // reads them back anyway.
    for (QLineEdit *e : {u.numero_badge, u.heure_debut, u.minute_debut, u.heure_fin, u.minute_fin,
                         u.lieu, u.jour_du_mois})
        e->setText(e->text().trimmed());
    // A character the list cannot keep is refused, never saved as '?'.
    std::vector<FieldProblem> problems;
    const RecordFields f = typedRecord(&problems);

    // Nothing the board cannot take is written: the file and the tables
    // never disagree about it.
    for (const FieldProblem &p : validateRecord(f))
        if (std::none_of(problems.begin(), problems.end(),
                         [&](const FieldProblem &named) { return named.field == p.field; }))
            problems.push_back(p);
    // Dates of validity in the wrong order, or that are no dates, are refused.
    // A date is stored as dd/mm/yyyy, whatever was typed around it.
    const std::string from = u.valide_du->text().trimmed().toStdString();
    const std::string until = u.valide_jusqu_au->text().trimmed().toStdString();
    if (const auto wrong = validityProblem(from, until))
        problems.push_back({"valide_du", wrong->french(), *wrong});
    if (!problems.empty()) {
        QString text = tr("Le badge n'est pas enregistré.");
        for (const FieldProblem &p : problems)
            text += QStringLiteral("\r\n") + shown(p.text);
        m_platform.dialogs->message(MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Message"),
                                    text, asker);
        return false;
    }

    std::string error, written, before;
    bool added = false;
    // The twelve keys go in with one replacement of the file.
    const Replaced done = replaceList(
        *m_platform.dialogs, tr("Enregistrer"), m_liste.fichier, m_liste.lue,
        tr("Enregistrer quand même le badge %1 ? Les autres changements faits hors "
           "du programme sont gardés.")
            .arg(fromCp1252(f.numero)),
        [&](const std::string &content) {
            before = content;
            added = !hasSection(content, f.numero);
            return setValidity(saveRecord(content, keepStoredForms(content, f)), f.numero, from,
                               until);
        },
        written, error);
    if (done == Replaced::Kept) {
        u.Label14->setText(tr("Badge non enregistré : la liste a été modifiée hors "
                              "du programme"));
        return false;
    }
    if (done == Replaced::Failed) {
        m_platform.dialogs->message(
            MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Message"),
            tr("Le badge n'est pas enregistré.\r\n") + QString::fromStdString(error), asker);
        return false;
    }
    m_liste.lue = written;
    operations().recordListChange(before, written);

    mise_a_jour_tableaux(m_liste.index_courant);
    u.Label14->setText(tr("Enregistrement effectué"));
    u.Label14->repaint();
    m_line->pauseBlocking(kConfirmation);
    u.Label14->setText(QStringLiteral("..."));
    if (added) {
        // Only a new section is one more record; saving a badge again is not.
        m_liste.nombre = m_liste.nombre.value_or(0) + 1;
        u.nombre_enregistrements->setText(QString::number(*m_liste.nombre));
    }
    m_recordAsRead = editorState(); // the fields now show the record as saved
    emit listChanged();
    return true;
}

} // namespace platine
