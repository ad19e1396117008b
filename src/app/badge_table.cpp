// "Tableau des badges", "Supprimer" and the changes to many records at once:
// the main window's side. The table window shows the list (src/badges); the
// handlers here change the list file, read it again and tell the table.

#include "app/form2.h"
#include "core/board/operations_journal.h"
#include "platform/operations_recorder.h"
#include "app/form2_ui.h"
#include "app/list_lock.h"
#include "badges/badge_table_window.h"
#include "core/badges/list_edit.h"
#include "core/badges/listfile.h"
#include "core/badges/profile.h"
#include "core/platform/files.h"
#include "platform/file_lock.h"
#include "platform/text.h"
#include "platform/window_place.h"
#include "serial/exchange.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>
#include <functional>

namespace platine {

namespace {

// A message box shows this many badges or problems; the rest are counted.
constexpr int kListedAtMost = 20;

QString listed(const QStringList &lines)
{
    QStringList shown = lines.mid(0, kListedAtMost);
    if (lines.size() > kListedAtMost)
        shown << QCoreApplication::translate("platine::Form2", "et %n autre(s)", nullptr,
                                             int(lines.size() - kListedAtMost));
    return shown.join(QStringLiteral("\r\n"));
}

// Runs `readAndReplace` holding the list file's lock; false, with `error`
// naming who holds it, when another copy keeps it past the wait.
bool underListLock(const std::string &path, std::string &error,
                   const std::function<bool()> &readAndReplace)
{
    FileLock lock(QString::fromStdString(path));
    if (!lock.locked()) {
        error = listLockRefusal(lock);
        return false;
    }
    return readAndReplace();
}

bool sameSection(const std::string &a, const std::string &b)
{
    return profile::nameKey(a) == profile::nameKey(b);
}

} // namespace

bool Form2::lineFree()
{
    Exchange x(*m_line, QStringLiteral("liste"));
    return x.began();
}

void Form2::tableau_des_badges_Click()
{
    if (!lineFree() || !requireOpenList())
        return;
    if (!m_tableau) {
        BadgeTableWindow::Actions actions;
        actions.open = [this](const std::string &section) { showRecordOf(section); };
        // The table's questions are asked over the table, which stays in front.
        actions.remove = [this](const std::vector<std::string> &s) { removeBadges(s, m_tableau); };
        actions.change = [this](const std::vector<std::string> &s, const BulkChange &c) {
            changeSelectedRecords(s, c, m_tableau);
        };
        m_tableau = new BadgeTableWindow(std::move(actions), *m_platform.dialogs, this);
        platine::placeOnScreen(m_tableau, nativePath(ownSettingsPath()), m_tableau->objectName());
        connect(this, &Form2::listChanged, m_tableau, [this] { showListTable(); });
    }
    showListTable();
    m_platform.windows->show(m_tableau);
}

void Form2::showListTable()
{
    if (!m_tableau)
        return;
    const std::optional<std::string> content = files::read(nativePath(m_liste.fichier));
    // The column "Platine": each record against what the chosen board holds.
    const std::optional<boards::BoardDiff> diff = boardDiff();
    m_tableau->showList(QFileInfo(m_liste.fichier).fileName(), content.value_or(std::string()),
                        diff ? &*diff : nullptr, today());
}

void Form2::Command23_Click()
{
    if (!lineFree() || !requireOpenList())
        return;
    const int i = m_liste.index_courant;
    if (!m_liste.nombre || i >= *m_liste.nombre) {
        m_platform.dialogs->message(
            MsgIcon::Information, MsgButtons::Ok, tr("Supprimer"),
            tr("Aucun badge à retirer : l'enregistrement courant n'est pas dans la "
               "liste."));
        return;
    }
    removeBadges({m_liste.tables.tab_sections[std::size_t(i)]});
}

void Form2::removeBadges(const std::vector<std::string> &sections, QWidget *asker)
{
    // An edit not saved in the editor is settled first: the removal shows
    // the list again, which would drop it.
    if (!m_liste.fichier.isEmpty() && !settleUnsavedEdits(asker))
        return;
    // The line is held until the list is written: no upload reads it halfway.
    Exchange x(*m_line, tr("retrait de badge"));
    if (!x.began() || !requireOpenList() || sections.empty())
        return;
    const QString title = tr("Supprimer");
    const auto fail = [&](const QString &text) {
        m_platform.dialogs->message(MsgIcon::Critical, MsgButtons::Ok, title, text, asker);
    };
    const std::string path = nativePath(m_liste.fichier);
    std::string error;
    std::optional<std::string> content = files::read(path, &error);
    if (!content) {
        fail(tr("Impossible de lire la liste, aucun badge n'est retiré.\r\n") +
             QString::fromStdString(error));
        return;
    }

    // Every section that goes named with its holder, as the file holds them:
    // a badge the list holds twice loses both, and the question says so.
    QStringList named, numbers;
    std::vector<std::string> asked; // each badge once, however many rows chose it
    for (const std::string &section : sections) {
        if (std::any_of(asked.begin(), asked.end(),
                        [&](const std::string &s) { return sameSection(s, section); }))
            continue;
        asked.push_back(section);
        const std::vector<RecordFields> stored = recordsStoredUnder(*content, section);
        if (stored.empty()) {
            fail(tr("Le badge %1 n'est plus dans la liste, aucun badge n'est retiré.")
                     .arg(fromCp1252(section)));
            return;
        }
        for (const RecordFields &r : stored) {
            const QString numero = fromCp1252(r.numero.empty() ? section : r.numero);
            const QString nom = fromCp1252(r.nom);
            named << (nom.isEmpty() ? numero : QStringLiteral("%1 (%2)").arg(numero, nom));
        }
        numbers << fromCp1252(stored.front().numero.empty() ? section : stored.front().numero);
    }
    const qsizetype badges = qsizetype(asked.size()), removed = named.size();
    QString question;
    if (badges == 1 && removed == 1)
        question = tr("Retirer de la liste le badge %1 ?").arg(named.front());
    else if (badges == 1)
        question = tr("Retirer de la liste le badge %1 ? Il y figure %2 fois : les "
                      "%2 sections sont retirées.\r\n")
                       .arg(numbers.front())
                       .arg(removed) +
                   listed(named);
    else if (removed == badges)
        question =
            tr("Retirer de la liste les %1 badges suivants ?\r\n").arg(badges) + listed(named);
    else
        question = tr("Retirer de la liste les %1 badges suivants ? Certains y "
                      "figurent plusieurs fois : les %2 sections sont retirées.\r\n")
                       .arg(badges)
                       .arg(removed) +
                   listed(named);
    if (m_platform.dialogs->message(MsgIcon::Question, MsgButtons::YesNo, title, question, asker,
                                    MsgAnswer::No) != MsgAnswer::Yes)
        return;

    // The file as it is now, in case it changed while the question was open,
    // read and replaced under its lock: another copy's save waits its turn.
    std::string after;
    if (!underListLock(path, error, [&] {
            content = files::read(path, &error);
            after = content ? removeRecords(*content, sections) : std::string();
            return content && files::writeAtomic(path, after, &error);
        })) {
        fail(tr("Impossible d'écrire la liste, aucun badge n'est retiré.\r\n") +
             QString::fromStdString(error));
        return;
    }

    // The editor moves off a record that is gone: the next one takes its slot.
    const int shownSlot = m_liste.index_courant;
    std::string shown;
    if (m_liste.nombre && shownSlot < *m_liste.nombre)
        shown = m_liste.tables.tab_sections[std::size_t(shownSlot)];
    if (std::any_of(sections.begin(), sections.end(),
                    [&](const std::string &s) { return sameSection(s, shown); }))
        shown.clear();
    operations().recordListChange(*content, after);
    rereadAfter(*content, after, shown, shownSlot);
    m_ui->Label14->setText(
        numbers.size() == 1
            ? tr("Badge retiré de la liste : %1").arg(numbers.front())
            : tr("Badges retirés de la liste : %1").arg(numbers.join(QStringLiteral(", "))));
    emit listChanged();
}

void Form2::changeSelectedRecords(const std::vector<std::string> &sections,
                                  const BulkChange &change, QWidget *asker)
{
    if (!m_liste.fichier.isEmpty() && !settleUnsavedEdits(asker))
        return;
    Exchange x(*m_line, tr("modification de badges"));
    if (!x.began() || !requireOpenList() || sections.empty())
        return;
    const QString title = tr("Modifier la sélection");
    const auto tell = [&](MsgIcon icon, const QString &text) {
        m_platform.dialogs->message(icon, MsgButtons::Ok, title, text, asker);
    };
    const std::string path = nativePath(m_liste.fichier);
    std::string error;
    std::optional<std::string> content = files::read(path, &error);
    if (!content) {
        tell(MsgIcon::Critical, tr("Impossible de lire la liste, aucun badge n'est modifié.\r\n") +
                                    QString::fromStdString(error));
        return;
    }
    ChangeResult result = changeRecords(*content, sections, change);
    if (!result.ok()) {
        QStringList problems;
        for (const Message &p : result.problems)
            problems << shown(p);
        tell(MsgIcon::Critical, tr("Aucun badge n'est modifié.\r\n") + listed(problems));
        return;
    }
    if (result.changed == 0) {
        tell(MsgIcon::Information,
             tr("Les badges choisis ont déjà ces valeurs : rien n'est modifié."));
        return;
    }
    const QString question = result.changed == 1
                                 ? tr("Modifier 1 badge de la liste ?")
                                 : tr("Modifier %1 badges de la liste ?").arg(result.changed);
    if (m_platform.dialogs->message(MsgIcon::Question, MsgButtons::YesNo, title, question, asker,
                                    MsgAnswer::No) != MsgAnswer::Yes)
        return;

    // Worked out again on the file as it is now, under its lock.
    if (!underListLock(path, error, [&] {
            content = files::read(path, &error);
            if (content)
                result = changeRecords(*content, sections, change);
            return content && result.ok() && files::writeAtomic(path, result.content, &error);
        })) {
        tell(MsgIcon::Critical, tr("Impossible d'écrire la liste, aucun badge n'est modifié.\r\n") +
                                    QString::fromStdString(error));
        return;
    }
    const int shownSlot = m_liste.index_courant;
    const std::string shown = m_liste.nombre && shownSlot < *m_liste.nombre
                                  ? m_liste.tables.tab_sections[std::size_t(shownSlot)]
                                  : std::string();
    operations().recordListChange(*content, result.content, op::kBulkChanged);
    rereadAfter(*content, result.content, shown, shownSlot);
    m_ui->Label14->setText(tr("Badge(s) modifié(s) : %1").arg(result.changed));
    emit listChanged();
}

void Form2::rereadAfter(const std::string &before, const std::string &after,
                        const std::string &shown, int slotBefore)
{
    // The console pane follows when it showed the list as opened.
    if (text1() == fromCp1252(linesWithCrLf(before)))
        showListInText1(after);
    reloadList();
    const int count = m_liste.nombre.value_or(0);
    int slot = std::clamp(slotBefore, 0, std::max(count - 1, 0));
    for (int i = 0; i < count && !shown.empty(); ++i)
        if (sameSection(m_liste.tables.tab_sections[std::size_t(i)], shown)) {
            slot = i;
            break;
        }
    mise_a_jour_affichage(std::int16_t(slot));
}

void Form2::showRecordOf(const std::string &section)
{
    // Asked over the table, where the operator chose the record.
    if (!requireOpenList() || !settleUnsavedEdits(m_tableau))
        return;
    enterRecordMode();
    if (!m_liste.derniere_lecture.readable || !m_ui->Frame2->isVisibleTo(this))
        return;
    const int count = m_liste.nombre.value_or(0);
    for (int i = 0; i < count; ++i)
        if (sameSection(m_liste.tables.tab_sections[std::size_t(i)], section)) {
            mise_a_jour_affichage(std::int16_t(i));
            break;
        }
    // The operator goes on in this window, in the record's first field
    // (enterRecordMode).
    raise();
    activateWindow();
}

} // namespace platine
