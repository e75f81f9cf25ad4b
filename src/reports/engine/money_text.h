#pragma once
// How figures read on the documents: grouped by three, blank when zero, since an
// estimate leaves empty what it does not price.

#include <string>

#include "util/currency.h"

namespace omrix::reports {

// "1,234,567" for whole amounts, "1,234.5" when there are decimals; "" for 0. Exact:
// worked on the stored 1/10000 units, never through a double.
std::string moneyText(util::Currency value);
// "1,234.500" (three decimals, as quantities print); "" for 0.
std::string quantityText(double value);
// Grouped with `decimals` places; "" for 0.
std::string decimalText(double value, int decimals);

}  // namespace omrix::reports
