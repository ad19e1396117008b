#pragma once
// Whether the board can take one record of the tables: the check the upload
// runs on every record before the first byte leaves, also shown beside each
// badge in the table of the list; and whether a typed text can go into a
// list at all. Pure standard C++.

#include "core/badges/listfile.h"
#include "core/badges/record_fields.h"
#include "core/badges/tables.h"

#include <optional>
#include <string>
#include <string_view>

namespace platine {

// The day code as the board takes it from the text of "jour autorisé_":
// one digit, blanks around and leading zeros allowed ("007" is 7, "10" is
// not a code); nothing when the text is not one.
std::optional<int> boardDayCode(std::string_view text);

// Why the board cannot take the record in `slot` (0 to 100), in the words of
// the upload's refusal, without the badge's name (UTF-8): "le numéro de
// badge doit compter dix chiffres hexadécimaux (0 à 9, A à F)."; nothing
// when it can. Looks at the badge number, the four times and the place
// (packed decimal bytes), the day code (0 to 9), the day of the month (0 to
// 31) and what the list reader marked in `tables.invalid`. A slot past the
// hundredth is refused: the board keeps 100 records.
std::optional<std::string> recordRefusal(const BadgeTables &tables, int slot);
// The same, to be shown in the window's language.
std::optional<Message> recordRefusalMessage(const BadgeTables &tables, int slot);

// Why a typed text cannot go into a list: its character `unheld` (UTF-8) has
// no byte in Windows-1252, which the list and the board use ("le caractère
// « Ł » ne peut pas être gardé dans une liste ni par la platine.").
std::string unheldCharacterReason(std::string_view unheld);
Message unheldCharacterMessage(std::string_view unheld);

// The text typed in `field` (UTF-8) as the list stores it (Windows-1252).
// When the code page lacks one of its characters: nothing, and `problem`
// names the field and that character ("Vérifiez le nom : le caractère « Ł »
// ne peut pas être gardé ..."); nothing is ever replaced by '?'.
std::optional<std::string> typedValue(const RecordField &field, std::string_view typed,
                                      FieldProblem &problem);

// The field of the editor's control `control` ("nom", "heure_debut" ...); null when none.
const RecordField *fieldOfControl(std::string_view control);

} // namespace platine
