#pragma once
// The journal of operations: who did what to a list or a board, and when.
// One row per thing done (a record added, a field changed, a record removed,
// an upload, a clock setting, a download, a maintenance command), only ever
// added to, as a table a spreadsheet opens (platform/csv.h: a cell a
// spreadsheet would take for a formula is guarded). The words stored in the
// "opération" column are the program's own and never depend on the language
// shown. Pure standard C++; texts are UTF-8.

#include "core/platform/message.h"
#include "core/platform/sheet.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

inline constexpr const char *kOperationsFile = "journal des opérations.csv";

// What the "opération" column holds.
namespace op {
// Stored in the journal as they stand; the window shows them translated.
inline constexpr const char *kAdded = PLATINE_TR_NOOP("Operations", "ajout");
inline constexpr const char *kChanged = PLATINE_TR_NOOP("Operations", "modification");
inline constexpr const char *kRemoved = PLATINE_TR_NOOP("Operations", "suppression");
inline constexpr const char *kBulkChanged =
    PLATINE_TR_NOOP("Operations", "modification de la sélection");
inline constexpr const char *kImport = PLATINE_TR_NOOP("Operations", "import");
inline constexpr const char *kNewList = PLATINE_TR_NOOP("Operations", "nouvelle liste");
inline constexpr const char *kUpload = PLATINE_TR_NOOP("Operations", "envoi");
inline constexpr const char *kClock = PLATINE_TR_NOOP("Operations", "mise à l'heure");
inline constexpr const char *kDownload = PLATINE_TR_NOOP("Operations", "téléchargement");
inline constexpr const char *kRecovery =
    PLATINE_TR_NOOP("Operations", "récupération de l'historique");
inline constexpr const char *kCommand = PLATINE_TR_NOOP("Operations", "commande");
} // namespace op

struct OperationRow {
    std::string date;      // "2026-12-07"
    std::string time;      // "14:02:31"
    std::string user;      // the account's user name
    std::string board;     // the board's name, or its port
    std::string list;      // the list file
    std::string operation; // one of op::
    std::string badge;     // the record's badge number, when one record is concerned
    std::string field;     // the field changed, as the list file names it
    std::string before, after;
    std::string detail; // what else: records sent and result, bytes sent, passages added

    std::vector<std::string> fields() const;
    bool operator==(const OperationRow &) const = default;
};

inline constexpr std::size_t kOperationColumns = 11;
// The cells of a row, in column order.
inline constexpr std::array<std::string OperationRow::*, kOperationColumns> kOperationCells{
    &OperationRow::date,  &OperationRow::time,   &OperationRow::user,  &OperationRow::board,
    &OperationRow::list,  &OperationRow::operation, &OperationRow::badge, &OperationRow::field,
    &OperationRow::before, &OperationRow::after, &OperationRow::detail};
// The header row's names, in column order.
std::vector<std::string> operationsHeader();

// The rows telling how the list `before` became `after` (list files,
// Windows-1252), records matched by badge number: one row per record added
// or removed, one per field changed (its old and new values). Each row
// takes the date, time, user, board and list of `stamp`; a changed field
// takes `changedOp` (op::kChanged, or op::kBulkChanged for a change to a
// selection).
std::vector<OperationRow> recordChanges(std::string_view before, std::string_view after,
                                        const OperationRow &stamp,
                                        std::string_view changedOp = op::kChanged);

// The whole journal once `rows` are added to `journal` (its bytes; empty
// when there is none yet): its bytes as they were, a line end added when the
// last line had none, then the rows in its separator and code page, each
// cell under its header's name wherever the header puts it (as the reader
// finds it). A journal started anew begins with the byte-order mark and the
// header row.
std::string appendOperations(std::string_view journal, const std::vector<OperationRow> &rows);

// The rows of a journal, columns found by their header names (the journal's
// own order otherwise), short rows read with their missing cells empty.
std::vector<OperationRow> readOperations(std::string_view bytes);

// A row's cells folded for the search (foldUtf8ForSearch), "\n" between.
std::string operationSearchKey(const OperationRow &row);

// The rows of `rows` that hold `text` (letter case and accents aside) in
// any cell and whose date lies from `from` to `to` ("yyyy-mm-dd", both
// included, empty: open), newest first (the journal is written oldest
// first). `keys`: each row's search key, or empty to fold them here.
std::vector<int> filterOperations(const std::vector<OperationRow> &rows,
                                  const std::vector<std::string> &keys, std::string_view text,
                                  std::string_view from, std::string_view to);

// The rows `shown` as a sheet, made as they are written.
Sheet operationsSheet(const std::vector<OperationRow> &rows, const std::vector<int> &shown);

// "17 05 09 06 12 26 01": bytes as the clock setting sends them.
std::string hexBytes(std::string_view bytes);

// Two adjacent parts of a local date and time, "yyyy-mm-dd" and "hh:mm" (or
// "hh:mm:ss"), as minutes since 2000-01-01 00:00; false when they are not of
// those shapes.
bool minutesOf(std::string_view date, std::string_view time, long long &minutes);

} // namespace platine
