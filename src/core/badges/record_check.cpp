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

std::optional<std::string> recordRefusal(const BadgeTables &t, int i)
{
    if (i < 0 || i >= kBoardRecords)
        return std::string("la platine garde 100 badges au plus, celui-ci est en trop.");
    const std::uint16_t bad = t.invalid[i];
    if ((bad & BadNumero) || !isBadgeNumber(t.tab_numero[i]))
        return std::string(
            "le numéro de badge doit compter dix chiffres hexadécimaux (0 à 9, A à F).");
    for (const RecordField &f : kRecordFields) {
        if (!f.packed)
            continue;
        const int v = (t.*f.packed)[i];
        if (bad & f.bad & kBadTimes)
            return std::string(f.name) + " refusée ; " + timeRuleText(f.bad);
        if ((bad & f.bad) || !isPackedDecimal(v))
            return std::string(f.name) + " illisible (valeur " + hexText(v) +
                   "h) ; un nombre de deux chiffres au plus est attendu.";
    }
    if ((bad & BadJour) || !boardDayCode(t.tab_jour[i]))
        return "jour autorisé « " + cp1252::toUtf8(t.tab_jour[i]) +
               " » ; un code de jour de 0 à 9 est attendu.";
    const int dom = t.tab_jour_du_mois[i];
    if ((bad & BadJourDuMois) || dom < 0 || dom > kMaxDayOfMonth)
        return "jour du mois " + std::to_string(dom) +
               " ; 0 (aucun) ou un jour de 1 à 31 est attendu.";
    return std::nullopt;
}

std::string unheldCharacterReason(std::string_view unheld)
{
    return "le caractère « " + std::string(unheld) +
           " » ne peut pas être gardé dans une liste ni par la platine.";
}

std::optional<std::string> typedValue(const RecordField &field, std::string_view typed,
                                      FieldProblem &problem)
{
    std::string stored, unheld;
    if (cp1252::fromUtf8Exactly(typed, stored, &unheld))
        return stored;
    problem = {field.control,
               std::string("Vérifiez ") + field.label + " : " + unheldCharacterReason(unheld)};
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
