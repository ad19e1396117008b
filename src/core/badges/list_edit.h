#pragma once
// Changes to many records of a list file at once: records taken off the
// list, and the same fields set on several records. Pure standard C++ over
// the file's bytes (Windows-1252); messages French, UTF-8.

#include "core/badges/record_fields.h"
#include "core/badges/tables.h"
#include "core/platform/message.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

// `content` without the sections named in `sections` (every section of each
// name): the header and every other section byte for byte as they were.
std::string removeRecords(std::string_view content, const std::vector<std::string> &sections);

// The record stored under `section`, values whole; nothing without that section.
std::optional<RecordFields> storedRecord(std::string_view content, std::string_view section);

// Every record stored under `section` (a badge the list holds twice has two),
// in file order: what removeRecords takes off for that name.
std::vector<RecordFields> recordsStoredUnder(std::string_view content, std::string_view section);

// The fields to set on every chosen record; only those ticked change. The
// texts are as the operator typed them (UTF-8).
struct BulkChange {
    bool times = false; // the time window, or 24h/24
    bool h24 = false;
    std::string heure_debut, minute_debut, heure_fin, minute_fin;
    bool days = false;
    int dayCode = kNewRecordDayCode;
    bool place = false; // the place, or all places
    bool allPlaces = false;
    std::string lieu;
    bool dayOfMonth = false;
    std::string jourDuMois;
    bool validity = false; // the dates of validity; an empty text takes a date off
    std::string valideDu, valideJusquAu;

    bool any() const { return times || days || place || dayOfMonth || validity; }
};

// The record with the ticked fields set as the editor sets them: 24h/24 puts
// 99 in the four times and "oui" beside them, all places puts 99 in the place
// and "oui" beside it, a day code brings its day choice's name; numbers are
// taken without the blanks typed around them, in Windows-1252 (a character
// it lacks becomes '?': changeRecords refuses such a change first).
RecordFields applyChange(RecordFields record, const BulkChange &change);

struct ChangeResult {
    std::string content;               // the list afterwards
    int changed = 0;                   // records whose section changed
    std::vector<Message> problems;     // why nothing may be written
    bool ok() const { return problems.empty(); }
};

// `content` with `change` applied to the record of each of `sections`, each
// written as the editor's save writes one. When a ticked field holds a
// character that a list cannot keep (named with its field), a record is
// missing or would hold a value the board cannot take, `problems` says so for
// each, and nothing should be written.
ChangeResult changeRecords(std::string_view content, const std::vector<std::string> &sections,
                           const BulkChange &change);

} // namespace platine
