// "Mise à l'heure": the board's clock is set from the PC's in one exchange.
// The board announces with a text beginning with "Mise"; the program sends
// "horaire", "heure" and seven packed decimal bytes (hour, minute, second,
// day of the month, month, two-digit year, day of the week with 1 = Sunday),
// and the board confirms with "Modification enregistree".
// "Heure PC" copies the PC's hour, minute, weekday and day of the month into
// the four override fields.

#include "board/operations.h"
#include "core/badges/listfile.h"
#include "platform/text.h"
#include "serial/exchange.h"
#include "serial/words.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRegularExpression>

namespace platine::board {

// The board announces itself within moments of its button; ten seconds is
// the limit of every wait for the board's first word.
inline constexpr Millis kClockAnnounceLimit{10'000};
// The board needs half a second between the words of the exchange.
inline constexpr Millis kClockSettle{500};
// The board confirms within a second of the last clock byte.
inline constexpr Millis kClockConfirm{1'000};
// The confirmation as the operator sees it in Label14.
inline constexpr int kConfirmationShown = 50;

namespace {

// 1 = Sunday ... 7 = Saturday, as the board counts.
int boardWeekday(const QDate &d)
{
    return d.dayOfWeek() % 7 + 1;
}

// The override field's value: nothing when empty, -1 when it cannot be a
// packed decimal byte (not one or two decimal digits).
std::optional<int> overrideValue(const QString &field, bool *bad)
{
    const QString text = field.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (!isTwoDigitNumber(toCp1252(text))) {
        *bad = true;
        return std::nullopt;
    }
    return text.toInt();
}

} // namespace

ClockOutcome setClock(Exchange &x, const ClockInputs &in, Dialogs &dialogs, Clock &clock)
{
    ClockOutcome outcome;
    if (!x.connect())
        return outcome;
    x.clearReceived();
    if (!x.waitStart(protocol::kMise, kClockAnnounceLimit)) {
        outcome.status =
            QCoreApplication::translate("Board", "Heure non mise à jour : %1").arg(x.why());
        return outcome;
    }

    // The override fields are read once the board has announced itself (the
    // operator may fill them meanwhile) and checked before a byte is sent.
    // A value outside the board's range (hour 25, weekday 0) would set its
    // clock to a time that does not exist.
    const ClockOverrides typed = in.overrides ? in.overrides() : ClockOverrides{};
    struct Override {
        QString field;
        const char *name;
        int low, high;
        std::optional<int> value;
    };
    Override overrides[] = {
        {typed.hour, QT_TRANSLATE_NOOP("Board", "heure"), 0, 23, {}},
        {typed.minute, QT_TRANSLATE_NOOP("Board", "minute"), 0, 59, {}},
        {typed.dayOfMonth, QT_TRANSLATE_NOOP("Board", "jour du mois"), 1, 31, {}},
        {typed.weekday, QT_TRANSLATE_NOOP("Board", "jour de la semaine"), 1, 7, {}}};
    for (Override &o : overrides) {
        bool bad = false;
        o.value = overrideValue(o.field, &bad);
        const bool outside = o.value && (*o.value < o.low || *o.value > o.high);
        if (bad || outside) {
            const QString why =
                bad ? QCoreApplication::translate("Board",
                                                  "n'est pas un nombre de un ou deux chiffres")
                    : QCoreApplication::translate("Board", "n'est pas entre %1 et %2")
                          .arg(o.low)
                          .arg(o.high);
            const QString text =
                QCoreApplication::translate(
                    "Board", "Mise à l'heure refusée, rien n'a été envoyé : %1 « %2 » %3.")
                    .arg(QCoreApplication::translate("Board", o.name), o.field, why);
            x.status(text);
            dialogs.message(MsgIcon::Critical, MsgButtons::Ok,
                            QCoreApplication::translate("Board", "Mise à l'heure"), text);
            return outcome;
        }
    }
    x.status(QCoreApplication::translate("Board", "Connexion établie avec la platine"));

    // One reading of the clock for all seven values, so that a run across
    // midnight does not pair one day's hour with the next day's date.
    const QDateTime now = clock.now();
    const QTime time = now.time();
    const QDate date = now.date();
    const auto bytes = protocol::clockBytes(
        overrides[0].value.value_or(time.hour()), overrides[1].value.value_or(time.minute()),
        time.second(), overrides[2].value.value_or(date.day()), date.month(), date.year() % 100,
        overrides[3].value.value_or(boardWeekday(date)));
    outcome.bytes = bytes;

    // The words go out even when the window does not respond meanwhile.
    x.pauseBlocking(kClockSettle);
    if (!x.sendWord(protocol::kHoraire, QCoreApplication::translate("Board", "« horaire »")))
        return outcome; // the status strip says why
    x.pauseBlocking(kClockSettle);
    if (!x.sendWord(protocol::kHeure, QCoreApplication::translate("Board", "« heure »")))
        return outcome;
    if (!x.sendPaced(bytes, 6, QCoreApplication::translate("Board", "l'envoi"))) {
        outcome.status = QCoreApplication::translate(
            "Board", "Heure non mise à jour : liaison fermée ou perdue pendant l'envoi");
        return outcome;
    }
    if (!x.pause(kClockConfirm, QCoreApplication::translate("Board", "attente de la confirmation")))
        return outcome; // the port closed or the program is ending: nothing more to look for

    const QString pane = x.received();
    const qsizetype p = pane.indexOf(word(protocol::kModificationEnregistree));
    if (p >= 0) {
        // The status strip holds one line: the caption stops at the board's line break.
        const QString shown = pane.mid(p, kConfirmationShown);
        const qsizetype lineEnd = shown.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
        outcome.confirmed = true;
        outcome.status = lineEnd < 0 ? shown : shown.left(lineEnd);
    } else {
        outcome.status =
            QCoreApplication::translate(
                "Board", "Heure envoyée, mais la platine n'a pas confirmé (« %1 » attendu)")
                .arg(word(protocol::kModificationEnregistree));
    }
    return outcome;
}

ClockOverrides pcClock(const QDateTime &now)
{
    return {QString::number(now.time().hour()), QString::number(now.time().minute()),
            QString::number(now.date().day()), QString::number(boardWeekday(now.date()))};
}

} // namespace platine::board
