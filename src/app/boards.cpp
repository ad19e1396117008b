// The boards by name and what each one holds: "Platines…", the window's
// line on the chosen board, the record of each upload, the badges an upload
// leaves out, and what "Quitter" and the start say about badges still
// active on a board.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/status_label.h"
#include "badges/badge_table_window.h"
#include "board/boards_window.h"
#include "core/badges/list_edit.h"
#include "core/badges/profile.h"
#include "core/platform/files.h"
#include "platform/file_lock.h"
#include "platform/text.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include <algorithm>

namespace platine {

namespace {

// A message names this many badges; the rest are counted.
constexpr int kNamedAtMost = 10;

// The list file as a board's record names it.
std::string listKey(const QString &path)
{
    return toCp1252(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

// "07/12/2026 14:02" as the window says it: "le 07/12/2026 à 14:02".
QString whenText(const std::string &when)
{
    const QString w = fromCp1252(when);
    const int blank = w.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return Form2::tr("le %1").arg(w);
    return Form2::tr("le %1 à %2").arg(w.left(blank), w.mid(blank + 1));
}

QString namedBadges(const std::vector<std::string> &sections, const profile::Parsed &list)
{
    QStringList names;
    for (const std::string &s : sections) {
        const std::string nom = list.get(s, "nom", "", 64);
        names << (nom.empty() ? fromCp1252(s)
                              : Form2::tr("%1 (%2)").arg(fromCp1252(s), fromCp1252(nom)));
    }
    QStringList shown = names.mid(0, kNamedAtMost);
    if (names.size() > kNamedAtMost)
        shown << Form2::tr("et %n autre(s)", nullptr, int(names.size() - kNamedAtMost));
    return shown.join(QStringLiteral(", "));
}

} // namespace

Date Form2::today() const
{
    const QDate d = m_platform.clock->now().date();
    return {d.year(), d.month(), d.day()};
}

QString Form2::boardLabel() const
{
    const QString port = m_line->chosen().label();
    const boards::Board *b = boards::findBoard(m_boards, toCp1252(port));
    return b && !b->nom.empty() ? fromCp1252(b->nom) : port;
}

void Form2::loadBoards()
{
    const std::optional<std::string> content =
        files::read(programFile(QString::fromLatin1(boards::kBoardsFile)));
    m_boards = content ? boards::readBoards(*content) : std::vector<boards::Board>{};
}

void Form2::platines_Click()
{
    if (!m_platines) {
        auto save = [this](const std::vector<boards::Board> &shown, QString *why) {
            std::vector<boards::Board> kept;
            std::copy_if(shown.begin(), shown.end(), std::back_inserter(kept),
                         [](const boards::Board &b) { return !b.nom.empty() || !b.lieux.empty(); });
            const std::string path = programFile(QString::fromLatin1(boards::kBoardsFile));
            FileLock lock(QString::fromStdString(path));
            std::string error;
            if (!lock.locked())
                error = lock.holder().toStdString();
            else if (files::writeAtomic(path, boards::writeBoards(kept), &error))
                error.clear();
            if (!error.empty()) {
                *why = QString::fromStdString(error);
                return false;
            }
            m_boards = std::move(kept);
            showBoardState();
            return true;
        };
        m_platines = new BoardsWindow(std::move(save), this);
    }
    loadBoards();
    m_platines->showBoards(m_boards, toCp1252(m_line->chosen().label()));
    m_platform.windows->show(m_platines);
}

std::optional<boards::Sent> Form2::sentTo(const QString &port) const
{
    const std::optional<std::string> content =
        files::read(programFile(QString::fromStdString(boards::sentFileName(toCp1252(port)))));
    return content ? boards::readSent(*content) : std::nullopt;
}

bool Form2::recordSent(const QString &port, const boards::Sent &sent)
{
    const std::string path =
        programFile(QString::fromStdString(boards::sentFileName(toCp1252(port))));
    FileLock lock(QString::fromStdString(path));
    std::string error;
    if (!lock.locked())
        error = lock.holder().toStdString();
    else if (files::writeAtomic(path, boards::writeSent(sent), &error))
        return true;
    m_platform.dialogs->message(
        MsgIcon::Warning, MsgButtons::Ok, tr("Envoi programmation"),
        tr("Ce que la platine « %1 » a reçu n'a pas pu être noté (%2) : la colonne « Platine » "
           "et l'état de la liste ne le montreront pas.")
            .arg(boardLabel(), QString::fromStdString(error)));
    return false;
}

void Form2::recordUpload(const QString &port, bool sent, bool boardTouched, const std::string &list)
{
    if (!sent && !boardTouched)
        return; // the board never began to take it: it holds what it held
    boards::Sent record;
    record.complete = sent;
    record.when = toCp1252(m_platform.clock->now().toString(QStringLiteral("dd/MM/yyyy HH:mm")));
    record.listFile = listKey(m_liste.fichier);
    if (sent)
        record.list = list;
    recordSent(port, record);
    emit listChanged(); // the window's line and the table's column follow
}

std::vector<std::string> Form2::notValidOn(const std::string &list, const Date &day,
                                           QString *note) const
{
    const profile::Parsed parsed(list);
    std::vector<std::string> out, expired, notYet;
    for (const std::string &s : parsed.sections()) {
        const Validity v = validityOf(parsed, s);
        if (validOn(v, day) || std::any_of(out.begin(), out.end(), [&](const std::string &o) {
                return profile::nameKey(o) == profile::nameKey(s);
            }))
            continue;
        out.push_back(s);
        (v.until && *v.until < day ? expired : notYet).push_back(s);
    }
    QStringList lines;
    if (!expired.empty())
        lines << (expired.size() == 1 ? tr("%1 badge expiré ne sera pas envoyé : %2")
                                      : tr("%1 badges expirés ne seront pas envoyés : %2"))
                     .arg(QString::number(expired.size()), namedBadges(expired, parsed));
    if (!notYet.empty())
        lines << (notYet.size() == 1
                      ? tr("%1 badge pas encore valide ne sera pas envoyé : %2")
                      : tr("%1 badges pas encore valides ne seront pas envoyés : %2"))
                     .arg(QString::number(notYet.size()), namedBadges(notYet, parsed));
    if (note)
        *note = lines.join(QStringLiteral("\r\n"));
    return out;
}

std::optional<boards::BoardDiff> Form2::boardDiff() const
{
    if (m_liste.fichier.isEmpty())
        return std::nullopt;
    const std::optional<std::string> content = files::read(nativePath(m_liste.fichier));
    if (!content)
        return std::nullopt;
    std::optional<boards::Sent> sent = sentTo(m_line->chosen().label());
    const std::string file = listKey(m_liste.fichier);
    const Date day = today();
    if (!m_diffCache)
        m_diffCache.emplace();
    DiffCache &c = *m_diffCache;
    if (c.list != *content || c.sent != sent || c.listFile != file || c.day != day) {
        c.diff = boards::compareWithBoard(*content, sent, file, day);
        c.list = *content;
        c.sent = std::move(sent);
        c.listFile = file;
        c.day = day;
    }
    return c.diff;
}

void Form2::showBoardState()
{
    const QString label = boardLabel();
    const QString port = m_line->chosen().label();
    m_ui->nom_platine->setText(label == port ? QString() : label);
    m_ui->nom_platine->setToolTip(label == port ? QString()
                                                : tr("Platine « %1 » sur %2").arg(label, port));
    StatusLabel *line = m_ui->etat_platine;
    const std::optional<boards::BoardDiff> diff = boardDiff();
    if (!diff) {
        line->clear();
        return;
    }
    const std::optional<boards::Sent> sent = sentTo(port);
    QString text;
    // The board's record read twice: one gone between the reads is no record.
    switch (sent ? diff->basis : boards::Basis::NeverSent) {
    case boards::Basis::NeverSent:
        text = tr("liste jamais envoyée à cette platine");
        break;
    case boards::Basis::Unknown:
        text = tr("contenu de « %1 » inconnu : l'envoi commencé %2 ne s'est pas terminé ; "
                  "envoyez la liste de nouveau")
                   .arg(label, whenText(sent->when));
        break;
    case boards::Basis::OtherList:
        text = tr("« %1 » a reçu une autre liste (%2) %3")
                   .arg(label, QFileInfo(fromCp1252(sent->listFile)).fileName(),
                        whenText(sent->when));
        break;
    case boards::Basis::Known: {
        const int n = diff->changes();
        if (n == 0)
            text = tr("liste à jour sur « %1 » — dernier envoi %2").arg(label, whenText(sent->when));
        else
            text = (n == 1 ? tr("%1 changement pas encore envoyé à « %2 » — dernier envoi %3")
                           : tr("%1 changements pas encore envoyés à « %2 » — dernier envoi %3"))
                       .arg(QString::number(n), label, whenText(sent->when));
        break;
    }
    }
    line->setText(text);
}

std::vector<QString> Form2::boardsWithRemovals() const
{
    std::vector<QString> out;
    if (m_liste.fichier.isEmpty())
        return out;
    const std::optional<std::string> content = files::read(nativePath(m_liste.fichier));
    if (!content)
        return out;
    // The chosen port and every board named in "Platines…".
    QStringList ports{m_line->chosen().label()};
    for (const boards::Board &b : m_boards)
        if (!ports.contains(fromCp1252(b.port)))
            ports << fromCp1252(b.port);
    for (const QString &port : ports) {
        const boards::BoardDiff d =
            boards::compareWithBoard(*content, sentTo(port), listKey(m_liste.fichier), today());
        if (d.basis == boards::Basis::Known && d.removals() > 0) {
            const boards::Board *b = boards::findBoard(m_boards, toCp1252(port));
            out.push_back(b && !b->nom.empty() ? fromCp1252(b->nom) : port);
        }
    }
    return out;
}

void Form2::tellExpiredOnBoards()
{
    const Date day = today();
    QStringList lines;
    const QDir folder(m_platform.programDir);
    const QStringList names =
        folder.entryList({QStringLiteral("envoi *.txt")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const std::optional<std::string> content =
            files::read(nativePath(folder.filePath(name)));
        const std::optional<boards::Sent> sent = content ? boards::readSent(*content) : std::nullopt;
        if (!sent)
            continue;
        const std::vector<std::string> expired = boards::expiredOnBoard(*sent, day);
        if (expired.empty())
            continue;
        // The board's label from its port, when a board of the names has this file.
        QString label = name.mid(6, name.size() - 10);
        for (const boards::Board &b : m_boards)
            if (QString::fromStdString(boards::sentFileName(b.port)) == name)
                label = b.nom.empty() ? fromCp1252(b.port) : fromCp1252(b.nom);
        // Two texts, not "%n badge(s)": the French line reads as it always has.
        const QString pattern = expired.size() == 1
                                    ? tr("%1 badge expiré encore actif sur « %2 » : %3")
                                    : tr("%1 badges expirés encore actifs sur « %2 » : %3");
        lines << pattern.arg(QString::number(expired.size()), label,
                             namedBadges(expired, profile::Parsed(sent->list)));
    }
    if (lines.isEmpty())
        return;
    lines << tr("Envoyez la liste à la platine pour les retirer.");
    m_ui->Label14->setText(lines.join(QStringLiteral(" — ")));
}

} // namespace platine
