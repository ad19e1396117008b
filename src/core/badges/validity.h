#pragma once
// When a badge may open the doors: two optional dates stored beside the
// record's twelve keys, "valide du" and "valide jusqu'au", as dd/mm/yyyy
// (the same form as the list's header date, whatever the desktop's
// language). The board never sees them: a record not valid on the day of an
// upload is left out of it. A record without them is valid always. Pure
// standard C++; messages French, UTF-8.

#include "core/badges/profile.h"
#include "core/platform/message.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace platine {

namespace listkey {
inline constexpr const char *valide_du = "valide du";
inline constexpr const char *valide_jusqu_au = "valide jusqu'au";
} // namespace listkey

struct Date {
    int year = 0, month = 0, day = 0;
    auto operator<=>(const Date &) const = default;
};

// "dd/mm/yyyy" (one-digit day and month allowed, blanks around ignored) when
// it names a day of the calendar; nothing otherwise.
std::optional<Date> parseDate(std::string_view text);
// "dd/mm/yyyy".
std::string formatDate(const Date &d);
// Days since 1 January 1970 (negative before): for differences of dates.
long dayNumber(const Date &d);

struct Validity {
    std::optional<Date> from;  // first valid day; none: since always
    std::optional<Date> until; // last valid day; none: for ever
    bool any() const { return from || until; }
};

// True when `day` lies from `from` to `until`, both days included.
bool validOn(const Validity &v, const Date &day);

// Why the two texts typed cannot be stored (an empty text is no date):
// none when they can.
std::optional<Message> validityProblem(std::string_view fromText, std::string_view untilText);

// The dates stored in `section` of a parsed list; a text that is no date
// counts as none.
Validity validityOf(const profile::Parsed &list, std::string_view section);

// `content` with the two keys of `section` set to the texts (an empty text
// takes its key off). Texts are stored as formatDate writes them.
std::string setValidity(std::string_view content, std::string_view section,
                        std::string_view fromText, std::string_view untilText);

// What the table says of a record's dates on `today`, in words: "expiré",
// "expire aujourd'hui", "expire dans N jours", "valide à partir du
// dd/mm/yyyy"; empty when the record is valid with no end.
Message validityText(const Validity &v, const Date &today);

} // namespace platine
