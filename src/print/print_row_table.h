#pragma once
// Table 内訳出力: clearing the rows of a breakdown and writing a run's rows in
// batches. Both report only true or false; the caller shows the message and rolls
// back. The forms without a database use the program's connection.

#include <cstdint>
#include <functional>
#include <string_view>

#include "print/print_row.h"
#include "util/progress.h"

namespace omrix::breakdown {
class ProgressBar;
}
namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::print {

struct InsertProgress {
    // Advanced by `step` after every row, never up to its maximum.
    breakdown::ProgressBar* bar = nullptr;
    double step = 1.0;
    // Idles after every row, so the window can paint and take its pending events.
    util::Progress* shown = nullptr;
};

// Deletes every live row of the breakdown, whatever run wrote it.
bool ClearPrintRows(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId);
bool ClearPrintRows(int32_t uchiwakeNameId);

// Writes the rows in order, data::kStatementsPerCommand INSERTs per command. With
// `ownTransaction` the writes are committed here (and rolled back on failure);
// otherwise they stay in the caller's transaction, which undoes them on false.
bool InsertPrintRows(data::CCCDBS_DataBase& db, const PrintRows& rows, bool ownTransaction,
                     const InsertProgress& progress = {});
bool InsertPrintRows(const PrintRows& rows, bool ownTransaction,
                     const InsertProgress& progress = {});

// The batching of InsertPrintRows with the command runner given: stops at the first
// command refused. No rows, no command.
using ExecuteText = std::function<bool(std::string_view sql)>;
bool sendPrintRowBatches(const PrintRows& rows, const ExecuteText& execute,
                         const InsertProgress& progress = {});

}  // namespace omrix::print
