#pragma once
// The list file: one profile section per badge, twelve keys a record, and
// its reading into the record tables. Pure standard C++ over the file's
// bytes (Windows-1252). Messages are French, in UTF-8.

#include "core/badges/profile.h"
#include "core/badges/record_fields.h"
#include "core/badges/tables.h"
#include "core/platform/message.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

// A value comes back as at most 19 characters (a buffer of 20 with its NUL).
inline constexpr std::size_t kListValueSize = 20;

// What one read of a list found.
struct ListReadReport {
    bool readable = true;   // false: the file could not be read, nothing was changed
    std::string error;      // why, when not readable (UTF-8)
    int count = 0;          // records read into slots 0 to count - 1 (at most 101)
    int sectionsInFile = 0; // section headers in the file
    int leftOut = 0;        // sections past the 101st, not read
    // Badge numbers of sections found more than once: only the first counts.
    std::vector<std::string> duplicates;
    // Slots whose values the board cannot take (details in tables.invalid).
    std::vector<int> invalidSlots;
    // Lines the reader could not use: a header with text before its "["
    // (its record is not read), a line inside a record that is no key, a
    // key given twice in one record.
    std::vector<profile::UnusedLine> unused;

    // The board holds slots 0 to 99 only.
    bool tooManyForBoard() const { return sectionsInFile > kBoardRecords; }
    bool hasInvalid() const { return !invalidSlots.empty(); }
    bool hasProblems() const
    {
        return !readable || leftOut > 0 || tooManyForBoard() || !duplicates.empty() ||
               hasInvalid() || !unused.empty();
    }
};

// The leading decimal number of a text as the window reads typed numbers:
// blanks, an optional sign, digits, an optional fraction. Nothing when the
// text does not start with a number.
bool leadingNumber(std::string_view text, double &value);

// A text read as a number the way the window reads typed numbers: the
// leading decimal number (blanks before it allowed), rounded to the nearest
// whole number and held to -32768..32767; 0 when it does not start with one.
std::int16_t valeurEntiere(std::string_view text);

// Value checks, on the text as stored (already trimmed by the profile reader).
// Time, place: one or two decimal digits.
bool isTwoDigitNumber(std::string_view text);
// Day of the month: one or two decimal digits, 0 (none) or 1 to 31.
bool isDayOfMonth(std::string_view text);
// Badge number: exactly ten characters "0" to "9" and "A" to "F".
bool isBadgeNumber(std::string_view text);
// Day code: one digit 0 to 9.
bool isDayCode(std::string_view text);

// The time rule: each of the four times holds an hour 0 to 23 or a minute
// 0 to 59, one or two digits, or 99 (24 h/24); an end of 24:00 (end hour 24,
// end minute 0) is allowed too. The InvalidKey bits of the times that break it.
std::uint16_t badTimeBits(const RecordFields &record);

// What a time field must hold, for the operator (UTF-8): "une heure de 0 à
// 23 ..."; `bad` is the field's InvalidKey bit.
std::string timeRuleText(std::uint16_t bad);
// The same, its template (context "Record").
const char *timeRule(std::uint16_t bad);

// The InvalidKey bits of one record's stored values. An empty day of the
// month is 0 and an empty day code is "0", both valid; an empty time or
// place is not.
std::uint16_t invalidBits(const RecordFields &record);

// The day choice whose name `typed` (UTF-8) is, ignoring letter case,
// accents and blanks against hyphens ("lundi a vendredi", "week-end"): its
// day code, or -1 when it is not the whole name of a choice.
int dayCodeOfName(std::string_view typed);

// A text lowered and without the accents of Windows-1252 letters ("Hélène"
// as "helene", "Œ" as "oe"), to compare names as the operator reads them.
std::string foldedCp1252(std::string_view text);

// The slot a search shows among slots 0 to `last` (never past 100) of
// `table` (Windows-1252): the first holding `key` exactly; otherwise the
// first equal to it ignoring letter case, accents and blanks around; then,
// `byName`, the first containing it that way. -1 when none, or for an
// empty key.
int searchSlot(const std::array<std::string, kSlots> &table, int last, std::string_view key,
               bool byName);

// The key texts of every bit set, joined by ", " (UTF-8).
std::string invalidKeysText(std::uint16_t bits);

// Reads the list `content` into the tables: resets them, reads the first 101
// sections in file order, rebuilds the badge bytes and sets every badge byte
// past the last record to 0 (all of them for a list without a record).
ListReadReport readList(std::string_view content, BadgeTables &t);

// Slot `i` of the tables filled from the record of `section` in `list`, as
// the reader fills it (badge bytes apart): its InvalidKey bits.
std::uint16_t readRecordInto(const profile::Parsed &list, const std::string &section,
                             BadgeTables &t, int i);

// The operator's message for a read's problems (UTF-8, lines joined by CR LF);
// empty when there is nothing to tell. `t` names the badges of invalid slots.
std::string readReportText(const ListReadReport &report, const BadgeTables &t);
// The same, line by line, to be shown in the window's language.
std::vector<Message> readReportLines(const ListReadReport &report, const BadgeTables &t);

// --- Writers -------------------------------------------------------------------

// A field the board could not take, named for the operator.
struct FieldProblem {
    std::string field;   // the editor field: "numero_badge", "heure_debut" ...
    std::string message; // French, UTF-8
    Message text;        // the same, to be shown in the window's language
};

// Every field of the record that must not be saved, in form order.
std::vector<FieldProblem> validateRecord(const RecordFields &f);

// The record with the forms the list already holds kept where the operator
// changed nothing: the editor shows a stored "07" as 7 and a long name cut to
// 19 characters, and saving must not rewrite those keys. A number keeps its
// stored text when the field shows the same number as the editor shows it; a
// name keeps its stored text when the field shows its first 19 characters.
RecordFields keepStoredForms(std::string_view content, RecordFields f);

// The record's fields as the list's section `section` stores them, every
// value uncut (empty for a key the section lacks).
RecordFields storedFields(const profile::Parsed &list, std::string_view section);

// True when the list already holds a section of that name (as the profile
// functions match names: blanks around ignored, letter case ignored).
bool hasSection(std::string_view content, std::string_view name);

// `content` with the record written as the section named by its badge
// number: the twelve keys in order, an existing section updated in place,
// a new one added at the end; "jour du mois" followed by an empty line.
std::string saveRecord(std::string_view content, const RecordFields &f);

// The five lines of a new list (CR LF each): creation date, time, file name.
std::string newListHeader(std::string_view date, std::string_view time, std::string_view fileTitle);

// The file's lines as the console pane shows an opened list: each line
// (ended by CR LF, CR or LF, or by the end of the file) followed by CR LF.
std::string linesWithCrLf(std::string_view content);

} // namespace platine
