#pragma once
// The print rows of a run written to 内訳出力 in place of the breakdown's earlier ones.

#include <cstdint>

#include "print/print_row.h"
#include "util/progress.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::print {

// Deletes the rows of the breakdown and inserts `rows`, in one transaction. On
// failure message 3010 names the step, everything is rolled back (the earlier rows
// stay as they were) and the result is false.
bool writePrintRows(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId, const PrintRows& rows,
                    util::Progress* progress = nullptr);
// The same for AppContext.UchiwakeNameID on the program's connection.
bool fnOmrix_Print_Print_CreatePrintUchiwakeInf(const PrintRows& rows,
                                                util::Progress* progress = nullptr);

}  // namespace omrix::print
