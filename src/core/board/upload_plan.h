#pragma once
// What an upload puts on the line, worked out from the record tables before
// the first byte leaves: the parameter block, the badge blocks and the seven
// tables. A list the board cannot take is refused here, whole, so that nothing
// partial ever reaches the board. Pure standard C++.

#include "core/badges/tables.h"
#include "core/board/protocol.h"
#include "core/platform/message.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

struct UploadPlan {
    // Strike delay in seconds, block count, buzzer flag: one write after "param".
    std::array<unsigned char, 3> param{};
    int blocks = 0;
    // Block k (from 0) carries entries 250k to 250k+249 of the badge bytes.
    std::vector<std::array<unsigned char, protocol::kBlockBytes>> blockBytes;
    // In the order the board asks for them: start hour, start minute, end
    // hour, end minute, day code, place, day of the month; slots 0 to 99.
    std::array<std::array<unsigned char, protocol::kTableBytes>, protocol::kTables> tables{};
};

// The record count the list file gave, as its text holds it: a whole decimal
// number (blanks around it allowed); anything else counts as 0.
int uploadRecordCount(std::string_view recordCountText);

// The first value of the list that the board cannot take, as a French
// sentence (UTF-8) naming the badge (its slot, its number) and the field;
// nothing when the whole list can be sent. Checks the strike delay (a whole
// number from 0 to 65), the record count (at most 100), and for every record:
// the badge number (ten hexadecimal digits), the four times and the place
// (packed decimal bytes), the day code (0 to 9) and the day of the month (a
// number of at most two digits), together with what the list reader marked
// in `tables.invalid`.
std::optional<std::string> validateUpload(const BadgeTables &tables,
                                          std::string_view strikeDelayText,
                                          std::string_view recordCountText);
// The same, to be shown in the window's language.
std::optional<Message> uploadRefusal(const BadgeTables &tables, std::string_view strikeDelayText,
                                     std::string_view recordCountText);
// The refusal of a list of `count` records, more than the board keeps.
Message tooManyRecords(int count);

// The bytes of the upload. Call only on a list validateUpload accepted: a
// value that is not a byte would otherwise be cut to its low eight bits.
UploadPlan planUpload(const BadgeTables &tables, std::string_view strikeDelayText, bool buzzer,
                      std::string_view recordCountText);

// Everything the program writes during a complete upload, in order: "param"
// and its block, the badge blocks, then each table keyword and its 100 bytes.
std::string uploadStream(const UploadPlan &plan);

} // namespace platine
