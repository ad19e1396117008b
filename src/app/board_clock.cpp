// The boards' clocks: a download dated ahead of the PC proposes "Mise à
// l'heure"; each board's last setting is kept with the UTC offset of its
// moment, so that a start after a change of daylight-saving time reminds
// the operator to set that board again.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/status_label.h"
#include "core/badges/profile.h"
#include "core/boards/boards.h"
#include "core/board/operations_journal.h"
#include "core/platform/files.h"
#include "platform/own_settings.h"
#include "platform/text.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>

namespace platine {

namespace {

// A board's clock counts in minutes: a few minutes of drift are allowed.
constexpr long long kAheadMinutes = 5;
// One section per board: "horloge <board>", keys "date" and "decalage UTC"
// (seconds).
constexpr std::string_view kClockSection = "horloge ";
constexpr const char *kDateKey = "date";
constexpr const char *kOffsetKey = "decalage UTC";
const QString kIsoSeconds = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

} // namespace

void Form2::proposeClockIfAhead(long long newestPassage)
{
    const QDateTime now = m_platform.clock->now();
    long long pc = 0;
    if (!minutesOf(now.toString(QStringLiteral("yyyy-MM-dd")).toStdString(),
                   now.toString(QStringLiteral("HH:mm")).toStdString(), pc) ||
        newestPassage - pc <= kAheadMinutes)
        return;
    if (m_platform.dialogs->message(
            MsgIcon::Warning, MsgButtons::YesNo, tr("Horloge de la platine"),
            tr("Des passages téléchargés sont datés de %n minute(s) après l'heure du PC : "
               "l'horloge de la platine « %1 » semble en avance.\r\n"
               "Faire la mise à l'heure de la platine maintenant ?",
               nullptr, int(newestPassage - pc))
                .arg(boardLabel())) == MsgAnswer::Yes)
        Command17_Click();
}

void Form2::keepClockSetting()
{
    const QDateTime now = m_platform.clock->now();
    OwnSettings settings(nativePath(ownSettingsPath()));
    // Kept by port, as the boards are known: a board renamed keeps its
    // reminder. A device's name must not close the section's brackets.
    std::string name = toCp1252(m_line->chosen().label());
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '[' || c == ']' || c == '\r' || c == '\n'; },
        '_');
    const std::string section = std::string(kClockSection) + name;
    QString error;
    if (!settings.setValue(section, kDateKey, now.toString(kIsoSeconds).toStdString(), &error) ||
        !settings.setValue(section, kOffsetKey, std::to_string(now.offsetFromUtc()), &error))
        m_ui->Label14->setText(
            tr("La date de cette mise à l'heure n'a pas pu être gardée : %1").arg(error));
}

void Form2::remindClockSettings()
{
    const std::optional<std::string> content = files::read(nativePath(ownSettingsPath()));
    if (!content)
        return; // nothing kept yet
    const QDateTime now = m_platform.clock->now();
    const OwnSettings settings(nativePath(ownSettingsPath()));
    QStringList reminded;
    for (const std::string &section : profile::sections(*content)) {
        if (!section.starts_with(kClockSection))
            continue;
        const QDateTime then = QDateTime::fromString(
            QString::fromStdString(settings.value(section, kDateKey, "")), kIsoSeconds);
        bool ok = false;
        const int offsetThen =
            QString::fromStdString(settings.value(section, kOffsetKey, "")).toInt(&ok);
        // The offset of the local time zone now against the one at the
        // setting: the board's clock kept the other one.
        if (!then.isValid() || !ok || offsetThen == now.offsetFromUtc())
            continue;
        const std::string port = section.substr(kClockSection.size());
        const boards::Board *board = boards::findBoard(m_boards, port);
        reminded << tr("« %1 » (le %2)")
                      .arg(board && !board->nom.empty() ? fromCp1252(board->nom)
                                                        : fromCp1252(port),
                           //: A date format (QDateTime): the letters are fields, quoted text stays.
                           then.toString(tr("dd/MM/yyyy à HH:mm")));
    }
    if (reminded.isEmpty())
        return;
    const QString reminder = tr("Changement d'heure depuis la dernière mise à l'heure de %1 : "
                                "refaire « Mise à l'heure » sur cette platine")
                                 .arg(reminded.join(tr(", ")));
    // After the badges still active on a board, if any: both are told.
    const QString before = m_ui->Label14->text();
    m_ui->Label14->setText(before.isEmpty() ? reminder
                                            : before + QStringLiteral(" — ") + reminder);
}

} // namespace platine
