#include "core/badges/record_check.h"

#include "core/badges/listfile.h"
#include "core/badges/profile.h"
#include "core/badges/record_fields.h"
#include "core/platform/cp1252.h"

#include <cstdio>

namespace platine {

namespace {

// A packed decimal byte: both nibbles 0 to 9.
bool isPackedDecimal(int v)
{
    return v >= 0 && v <= 0xFF && (v >> 4) <= 9 && (v & 0x0F) <= 9;
}

std::string hexText(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02X", unsigned(v) & 0xFFFFu);
    return buf;
}

} // namespace

std::optional<int> boardDayCode(std::string_view text)
{
    text = profile::trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    int code = 0;
    std::size_t significant = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        if (code > 0 || c != '0')
            ++significant;
        if (significant > 1)
            return std::nullopt;
        code = c - '0';
    }
    return code;
}

std::optional<Message> recordRefusalMessage(const BadgeTables &t, int i)
{
    constexpr const char *c = "Record";
    if (i < 0 || i >= kBoardRecords)
        return Message(
            c, PLATINE_TR_NOOP("Record",
                               "la platine garde 100 badges au plus, celui-ci est en trop."));
    const std::uint16_t bad = t.invalid[i];
    if ((bad & BadNumero) || !isBadgeNumber(t.tab_numero[i]))
        return Message(c, PLATINE_TR_NOOP("Record", "le numéro de badge doit compter dix chiffres "
                                                    "hexadécimaux (0 à 9, A à F)."));
    for (const RecordField &f : kRecordFields) {
        if (!f.packed)
            continue;
        const int v = (t.*f.packed)[i];
        if (bad & f.bad & kBadTimes)
            return Message(c, PLATINE_TR_NOOP("Record", "%1 refusée ; %2"),
                           {Message(c, f.name), Message(c, timeRule(f.bad))});
        if ((bad & f.bad) || !isPackedDecimal(v))
            return Message(c,
                           PLATINE_TR_NOOP("Record",
                                           "%1 illisible (valeur %2h) ; un nombre de deux "
                                           "chiffres au plus est attendu."),
                           {Message(c, f.name), hexText(v)});
    }
    if ((bad & BadJour) || !boardDayCode(t.tab_jour[i]))
        return Message(c,
                       PLATINE_TR_NOOP("Record", "jour autorisé « %1 » ; un code de jour de 0 à 9 "
                                                 "est attendu."),
                       {cp1252::toUtf8(t.tab_jour[i])});
    const int dom = t.tab_jour_du_mois[i];
    if ((bad & BadJourDuMois) || dom < 0 || dom > kMaxDayOfMonth)
        return Message(c,
                       PLATINE_TR_NOOP("Record", "jour du mois %1 ; 0 (aucun) ou un jour de 1 à 31 "
                                                 "est attendu."),
                       {std::to_string(dom)});
    return std::nullopt;
}

std::optional<std::string> recordRefusal(const BadgeTables &t, int i)
{
    if (const std::optional<Message> why = recordRefusalMessage(t, i))
        return why->french();
    return std::nullopt;
}

Message unheldCharacterMessage(std::string_view unheld)
{
    return Message("Record",
                   PLATINE_TR_NOOP("Record", "le caractère « %1 » ne peut pas être gardé dans une "
                                             "liste ni par la platine."),
                   {std::string(unheld)});
}

std::string unheldCharacterReason(std::string_view unheld)
{
    return unheldCharacterMessage(unheld).french();
}

std::optional<std::string> typedValue(const RecordField &field, std::string_view typed,
                                      FieldProblem &problem)
{
    std::string stored, unheld;
    if (cp1252::fromUtf8Exactly(typed, stored, &unheld))
        return stored;
    Message text("Record", PLATINE_TR_NOOP("Record", "Vérifiez %1 : %2"),
                 {Message("Record", field.label), unheldCharacterMessage(unheld)});
    std::string french = text.french();
    problem = {field.control, std::move(french), std::move(text)};
    return std::nullopt;
}

const RecordField *fieldOfControl(std::string_view control)
{
    for (const RecordField &f : kRecordFields)
        if (control == f.control)
            return &f;
    return nullptr;
}

} // namespace platine
