#pragma once
// The paged print rows of the breakdown statement: which lines of a loaded
// breakdown are printed, on which page and line, every
// page filled to 15 lines, and the closing total of a page moved to its foot.

#include <cstdint>
#include <string_view>

#include "breakdown/tree/edit_ucw.h"
#include "print/print_options.h"
#include "print/print_row.h"
#include "print/print_source.h"
#include "util/progress.h"

namespace omrix::level_tree {
class LevelTreeModel;
}

namespace omrix::print {

// Builds `rows` afresh from the ticked nodes of `tree`. False, after a message box,
// when nothing could be produced or the generation broke off; the progress display
// is hidden then.
bool createPrintRows(const PrintSource& source, const PrintOptionRec& options, PrintRows& rows,
                     const level_tree::LevelTreeModel& tree, util::Progress* progress = nullptr);
// The same on printSourceFromContext().
bool fnCreatePrintRows(const PrintOptionRec& options, PrintRows& rows,
                       const level_tree::LevelTreeModel& tree, util::Progress* progress = nullptr);

// Printed on the main pages: a ticked 種目, 科目 or 別紙, or any total or line item.
bool fnIsPrintTarget(const breakdown::COmrixEditUcw& line, const level_tree::LevelTreeModel& tree);
// A ticked 種目, 科目 or 別紙: its lines get pages of their own.
bool fnHasOwnPages(const breakdown::COmrixEditUcw& line, const level_tree::LevelTreeModel& tree);

// On each page, a closing total line printed above line 15 - k moves to that line;
// the blank line there takes its place.
void fnAlignTotalRows(PrintRows& rows, int32_t k);

}  // namespace omrix::print
