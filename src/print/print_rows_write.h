#pragma once
// The print rows of a run written to 内訳出力 in place of the breakdown's earlier ones.

#include <cstdint>
#include <future>
#include <optional>

#include "data/core/database.h"
#include "print/print_row.h"
#include "util/progress.h"

namespace omrix::print {

// A write begun before its rows exist: the transaction opened and the breakdown's
// earlier rows deleted on a thread of its own while the caller makes the new rows
// (for 100,000 lines the delete takes about as long). The connection is the
// writer's until finish() or the destructor; the caller does not use it meanwhile.
class PrintRowsWriter {
  public:
    PrintRowsWriter(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId);
    // Without finish(): waits for the delete and rolls it back, silently.
    ~PrintRowsWriter();
    PrintRowsWriter(const PrintRowsWriter&) = delete;
    PrintRowsWriter& operator=(const PrintRowsWriter&) = delete;
    // Inserts `rows` and commits, as writePrintRows does after its delete; once only.
    bool finish(const PrintRows& rows, util::Progress* progress = nullptr);

  private:
    data::CCCDBS_DataBase& db_;
    std::optional<data::Transaction> transaction_;
    std::future<bool> cleared_;
};

// Deletes the rows of the breakdown and inserts `rows`, in one transaction. On
// failure message 3010 names the step, everything is rolled back (the earlier rows
// stay as they were) and the result is false.
bool writePrintRows(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId, const PrintRows& rows,
                    util::Progress* progress = nullptr);
// The same for AppContext.UchiwakeNameID on the program's connection.
bool fnOmrix_Print_Print_CreatePrintUchiwakeInf(const PrintRows& rows,
                                                util::Progress* progress = nullptr);

}  // namespace omrix::print
