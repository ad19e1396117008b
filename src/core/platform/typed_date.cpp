#include "core/platform/typed_date.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace platine {

DateOrder dateOrderOf(std::string_view pattern)
{
    const std::size_t d = pattern.find('d'), m = pattern.find('M'), y = pattern.find('y');
    if (y != std::string_view::npos && (d == std::string_view::npos || y < d) &&
        (m == std::string_view::npos || y < m))
        return DateOrder::YearMonthDay;
    if (m != std::string_view::npos && (d == std::string_view::npos || m < d))
        return DateOrder::MonthDayYear;
    return DateOrder::DayMonthYear;
}

std::optional<std::string> readTypedDate(std::string_view typed, DateOrder order)
{
    std::vector<std::string> groups;
    bool apart = true; // a separator stands before the next digit
    for (char c : typed) {
        if (c >= '0' && c <= '9') {
            if (apart)
                groups.emplace_back();
            groups.back() += c;
            apart = false;
        } else if (c == '/' || c == '.' || c == '-' || c == ' ' || c == '\t') {
            apart = true;
        } else {
            return std::nullopt;
        }
    }
    if (groups.size() != 3)
        return std::nullopt;
    if (groups[0].size() == 4)
        order = DateOrder::YearMonthDay;
    const std::string *day = &groups[0], *month = &groups[1], *year = &groups[2];
    if (order == DateOrder::MonthDayYear)
        std::swap(day, month);
    else if (order == DateOrder::YearMonthDay) {
        year = &groups[0];
        month = &groups[1];
        day = &groups[2];
    }
    if (day->size() > 2 || month->size() > 2 || (year->size() != 2 && year->size() != 4))
        return std::nullopt;
    const int y = std::stoi(*year) + (year->size() == 2 ? 2000 : 0);
    const unsigned m = unsigned(std::stoi(*month)), d = unsigned(std::stoi(*day));
    const std::chrono::year_month_day ymd{std::chrono::year(y), std::chrono::month(m),
                                          std::chrono::day(d)};
    if (!ymd.ok() || y < 1)
        return std::nullopt;
    char out[48]; // 10 used: the checks above bound what the compiler cannot
    std::snprintf(out, sizeof out, "%04d-%02u-%02u", y, m, d);
    return std::string(out);
}

} // namespace platine
