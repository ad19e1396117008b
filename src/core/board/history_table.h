#pragma once
// The history of passages as the board sends it, and the table the console
// pane shows of it. The board's log arrives as text; each line holding a "*"
// is one passage whose fields stand at fixed columns:
//   1-14 badge number, 16-17 hour, 19-20 minute, 21-23 day of the month,
//   25-26 month, 28-29 year, 30-32 place (columns 15, 18, 24, 27 and
//   everything past 32 are not read).
// Pure standard C++ over Windows-1252 bytes.

#include <string>
#include <string_view>
#include <vector>

namespace platine {

// The lines of a text file as the program reads them back: a line ends at a
// carriage return and a line feed right after it is skipped; a line feed
// anywhere else belongs to the line. A last line without a carriage return
// still counts; an empty file has no lines.
std::vector<std::string_view> fileLines(std::string_view content);

// What the history file holds after a download: the received text, then CR LF
// (always, even when the text already ends with a line break).
std::string historyFileContent(std::string_view paneText);

// " N° de badge     Heure du passage    Date du passage      Lieu " then CR LF CR LF.
std::string historyHeader();

// The row of one passage line, ending with CR LF. Fields are copied as they
// stand; a field past the end of a short line is empty (separators and blanks
// stay), so a line of 32 characters or more gives 60 characters.
std::string historyRow(std::string_view passageLine);

// The board's announcement "Vidage EEPROM externe" may run straight into its
// first passage, with no line break between them: that line without the
// announcement (and a line feed right after it); any other line as it is.
std::string_view withoutAnnouncement(std::string_view line);

// The whole table: the header, then one row per line holding "*" (once
// without the announcement), in file order.
std::string historyTable(std::string_view fileContent);

} // namespace platine
