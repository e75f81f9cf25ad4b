#pragma once
// The amounts of the demo breakdown, worked out as the breakdown's recalculation will
// find them after a load: line items from unit price × quantity, headings from the
// used lines below them, a total line from its total heading. The overheads are then
// priced as rates of the direct cost of the work types.

#include "demo/demo_breakdown.h"

namespace omrix::demo {

// False when an amount leaves the range of Currency.
bool computeAmounts(BreakdownPlan& plan);

}  // namespace omrix::demo
