#pragma once
// The print rows of a run written to 内訳出力 in place of the breakdown's earlier ones.

#include "print/print_row.h"

namespace omrix::print {

class PrintProgress;

// Deletes the rows of AppContext.UchiwakeNameID and inserts `rows`, in one
// transaction. On failure message 3010 names the step, everything is rolled back (the
// earlier rows stay as they were) and the result is false.
bool fnOmrix_Print_Print_CreatePrintUchiwakeInf(const PrintRows& rows,
                                                PrintProgress* progress = nullptr);

}  // namespace omrix::print
