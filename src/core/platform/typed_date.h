#pragma once
// A date as an operator types it, in the order of the desktop's format:
// "01/12/2026" is the first of December in French (dd/MM/yyyy) and
// "12/01/2026" the same day in American English (M/d/yy). The files keep
// their own form, "yyyy-mm-dd", whatever the desktop.

#include <optional>
#include <string>
#include <string_view>

namespace platine {

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// The order of the day, month and year in a date format pattern
// ("dd/MM/yyyy", "M/d/yy", "yyyy-MM-dd"); day first when it has none.
DateOrder dateOrderOf(std::string_view pattern);

// The day `typed` names, as "yyyy-mm-dd": three groups of digits apart by
// "/", ".", "-" or blanks, in `order`, a year of two digits being in the
// 2000s; a first group of four digits is a year whatever the order (the
// form the files keep). Nothing: no such day (letters, a group too many or
// too few, 31/02/2026).
std::optional<std::string> readTypedDate(std::string_view typed, DateOrder order);

} // namespace platine
