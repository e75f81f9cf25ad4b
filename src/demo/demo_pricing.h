#pragma once
// Quantities, unit prices and formulas of the demo's line items, and the lower lines
// of the items that own a unit-price breakdown (代価表).

#include <cstdint>
#include <vector>

#include "demo/demo_catalogue.h"
#include "demo/demo_formulas.h"
#include "demo/demo_line.h"
#include "demo/demo_random.h"

namespace omrix::demo {

// Yen rounded to a step an estimator would use: 1 below 1,000, 10 below 10,000,
// 100 below 1,000,000, else 1,000. Halves away from zero.
Currency niceYen(double yen);

class ItemPricer {
  public:
    ItemPricer(DemoRandom& random, DemoFormulas& formulas) : random_(random), formulas_(formulas) {}

    // Names, unit, quantity (perhaps by formula), the three unit prices (perhaps by
    // formula) and remarks of a line item. An item that occurs about `parts` times in
    // its subject takes that share of the building's quantity, so that the estimate
    // keeps its size whatever the number of lines. Links, flags and amounts are the
    // caller's. False when a formula does not evaluate.
    bool priceItem(const ItemTemplate& item, int32_t parts, DemoLine& line);

    // The lower lines of `owner` (material, labour, plant, sundries: childCount of
    // them, at least 2) for a model quantity, and the owner's unit prices and 代価表
    // row worked out from them. Amounts of the lower lines are set.
    bool priceDaika(DemoLine& owner, int32_t childCount, std::vector<DemoLine>& lower);

  private:
    bool drawQuantity(const ItemTemplate& item, int32_t parts, DemoLine& line);
    void drawPrices(int32_t marketPrice, DemoLine& line);
    bool drawPriceFormulas(DemoLine& line);

    DemoRandom& random_;
    DemoFormulas& formulas_;
    double markUp_ = 1.0;    // 見積２ over 見積１ of the item being priced
    double discount_ = 1.0;  // 提出用 over 見積２
};

// Unit price × quantity as the recalculation makes it: rounded to four decimals,
// then cut to whole yen. False when it leaves the range of Currency.
bool wholeAmount(Currency price, double quantity, Currency& amount);

}  // namespace omrix::demo
