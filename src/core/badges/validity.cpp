#include "core/badges/validity.h"

#include <cstdio>

namespace platine {

namespace {

bool leapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : kDays[m - 1];
}

// The digits of `s` as a number, at most `maxDigits`; nothing when `s` is
// empty, too long or holds anything else.
std::optional<int> digits(std::string_view s, std::size_t maxDigits)
{
    if (s.empty() || s.size() > maxDigits)
        return std::nullopt;
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace

std::optional<Date> parseDate(std::string_view text)
{
    text = profile::trimBlanks(text);
    const std::size_t a = text.find('/');
    const std::size_t b = a == std::string_view::npos ? a : text.find('/', a + 1);
    if (b == std::string_view::npos)
        return std::nullopt;
    if (text.size() - b - 1 != 4)
        return std::nullopt;
    const int d = digits(text.substr(0, a), 2).value_or(0);
    const int m = digits(text.substr(a + 1, b - a - 1), 2).value_or(0);
    const int y = digits(text.substr(b + 1), 4).value_or(0);
    if (y < 1900 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m))
        return std::nullopt;
    return Date{y, m, d};
}

std::string formatDate(const Date &d)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day, d.month, d.year);
    return buf;
}

long dayNumber(const Date &date)
{
    // Days from the civil calendar (proleptic Gregorian), 1970-01-01 as 0.
    const long y = date.year - (date.month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long mp = (date.month + 9) % 12;
    const long doy = (153 * mp + 2) / 5 + date.day - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool validOn(const Validity &v, const Date &day)
{
    return (!v.from || *v.from <= day) && (!v.until || day <= *v.until);
}

std::optional<Message> validityProblem(std::string_view fromText, std::string_view untilText)
{
    fromText = profile::trimBlanks(fromText);
    untilText = profile::trimBlanks(untilText);
    const auto from = parseDate(fromText);
    const auto until = parseDate(untilText);
    if (!fromText.empty() && !from)
        return Message("Validity",
                       PLATINE_TR_NOOP("Validity",
                                       "« Valide du » n'est pas une date (jj/mm/aaaa) : %1"),
                       {std::string(fromText)});
    if (!untilText.empty() && !until)
        return Message("Validity",
                       PLATINE_TR_NOOP("Validity",
                                       "« Valide jusqu'au » n'est pas une date (jj/mm/aaaa) : %1"),
                       {std::string(untilText)});
    if (from && until && *until < *from)
        return Message("Validity",
                       PLATINE_TR_NOOP("Validity",
                                       "Les dates de validité sont dans le mauvais ordre : « Valide "
                                       "jusqu'au » (%1) précède « Valide du » (%2)."),
                       {formatDate(*until), formatDate(*from)});
    return std::nullopt;
}

Validity validityOf(const profile::Parsed &list, std::string_view section)
{
    return {parseDate(list.get(section, listkey::valide_du, "", 64)),
            parseDate(list.get(section, listkey::valide_jusqu_au, "", 64))};
}

std::string setValidity(std::string_view content, std::string_view section,
                        std::string_view fromText, std::string_view untilText)
{
    std::string out(content);
    const std::pair<const char *, std::string_view> keys[] = {
        {listkey::valide_du, fromText}, {listkey::valide_jusqu_au, untilText}};
    for (const auto &[key, text] : keys) {
        const auto date = parseDate(text);
        const std::string stored =
            date ? formatDate(*date) : std::string(profile::trimBlanks(text));
        if (stored.empty()) {
            if (!profile::get(out, section, key, "", 64).empty())
                out = profile::removeKey(out, section, key);
        } else if (profile::get(out, section, key, "", 64) != stored) {
            out = profile::set(out, section, key, stored);
        }
    }
    return out;
}

Message validityText(const Validity &v, const Date &today)
{
    if (v.from && today < *v.from)
        return Message("Validity", PLATINE_TR_NOOP("Validity", "valide à partir du %1"),
                       {formatDate(*v.from)});
    if (!v.until)
        return {};
    const long left = dayNumber(*v.until) - dayNumber(today);
    if (left < 0)
        return Message("Validity", PLATINE_TR_NOOP("Validity", "expiré"));
    if (left == 0)
        return Message("Validity", PLATINE_TR_NOOP("Validity", "expire aujourd'hui"));
    if (left == 1)
        return Message("Validity", PLATINE_TR_NOOP("Validity", "expire demain"));
    return Message("Validity", PLATINE_TR_NOOP("Validity", "expire dans %1 jours"),
                   {std::to_string(left)});
}

} // namespace platine
