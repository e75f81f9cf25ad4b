#include "demo/demo_pricing.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "util/numbers.h"

namespace omrix::demo {
namespace {

double roundTo(double value, int32_t decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

bool isMeasured(std::string_view unit) {
    return unit == "m" || unit == "m2" || unit == "m3";
}

std::string yenText(Currency price) {
    return std::to_string(price.wholeUnits());
}

constexpr double kSubmitRates[] = {0.9, 0.92, 0.95, 0.97};

}  // namespace

Currency niceYen(double yen) {
    const double size = std::fabs(yen);
    const double step = size < 1000 ? 1 : size < 10000 ? 10 : size < 1000000 ? 100 : 1000;
    const long long units = std::llround(yen / step) * static_cast<long long>(step);
    return Currency::fromUnits(units).value_or(Currency());
}

bool wholeAmount(Currency price, double quantity, Currency& amount) {
    auto product = price.times(quantity);
    if (!product) return false;
    amount = product->truncated();
    return true;
}

bool ItemPricer::priceItem(const ItemTemplate& item, int32_t parts, DemoLine& line) {
    line.名称１ = item.name;
    line.仕様１ = item.spec;
    line.単位名称 = item.unit;
    line.単位ＩＤ = unitId(item.unit);
    if (!drawQuantity(item, std::max(parts, 1), line)) return false;
    drawPrices(item.price, line);
    if (!drawPriceFormulas(line)) return false;
    if (random_.chance(0.06)) line.社内備考 = random_.pick(internalRemarks());
    if (random_.chance(0.08)) line.社外備考 = random_.pick(externalRemarks());
    return true;
}

bool ItemPricer::drawQuantity(const ItemTemplate& item, int32_t parts, DemoLine& line) {
    const int32_t decimals = unitDecimals(item.unit);
    const std::string share = parts > 1 ? "/" + std::to_string(parts) : "";
    double quantity = 0.0;
    if (!item.formula.empty()) {
        const std::string formula = std::string(item.formula) + share;
        auto value = formulas_.evaluate(formula);
        if (!value) return false;
        if (random_.chance(0.7)) {
            line.数量計算式 = formula;
            quantity = *value;
        } else {
            // Taken off by hand near what the formula would say.
            quantity = roundTo(*value * random_.real(0.85, 1.15), decimals);
        }
    } else if (isMeasured(item.unit) && item.hi > item.lo && random_.chance(0.1)) {
        // A take-off written as a product: length × count.
        const int32_t count = random_.between(2, 12);
        const double piece = roundTo(random_.real(item.lo, item.hi) / parts / count, 1);
        char text[48];
        auto end = std::to_chars(text, text + sizeof text, piece).ptr;
        line.数量計算式 = std::string(text, end) + "*" + std::to_string(count);
        auto value = formulas_.evaluate(line.数量計算式);
        if (!value) return false;
        quantity = *value;
    } else if (decimals == 0) {
        const double drawn =
            random_.between(static_cast<int32_t>(item.lo), static_cast<int32_t>(item.hi));
        quantity = std::round(drawn / parts);
    } else {
        quantity = roundTo(random_.real(item.lo, item.hi) / parts, decimals);
    }
    // Never less than the smallest step of the unit; a formula that says less (a piece
    // rounded to 0) is not kept, or a recalculation would not give the stored quantity.
    const double step = std::pow(10.0, -decimals);
    if (!(quantity >= step)) {
        quantity = step;
        line.数量計算式.clear();
    }
    line.内訳数量 = quantity;
    line.拾い数量 = quantity;
    return true;
}

void ItemPricer::drawPrices(int32_t marketPrice, DemoLine& line) {
    markUp_ = random_.real(1.12, 1.22);
    discount_ = random_.real(0.93, 0.99);
    line.見積１単価 = niceYen(marketPrice * random_.real(0.86, 0.98));
    line.見積２単価 = niceYen(line.見積１単価.toDouble() * markUp_);
    line.提出用単価 = niceYen(line.見積２単価.toDouble() * discount_);
    line.受注者単価 = line.見積１単価;
}

bool ItemPricer::drawPriceFormulas(DemoLine& line) {
    const int64_t cost = line.見積１単価.wholeUnits();
    if (cost > 1000 && random_.chance(0.04)) {
        // Material plus labour, as estimators split a composite price.
        const int64_t material = niceYen(cost * random_.real(0.45, 0.7)).wholeUnits();
        line.見積１単価計算式 = std::to_string(material) + "+" + std::to_string(cost - material);
        auto value = formulas_.evaluate(line.見積１単価計算式);
        if (!value) return false;
        line.見積１単価 = Currency::fromDouble(*value).value_or(Currency());
    }
    if (random_.chance(0.05)) {
        const double rate = random_.pick(std::span<const double>(kSubmitRates));
        line.提出用単価計算式 = yenText(line.見積２単価) + "*" + util::doubleToText(rate);
        auto value = formulas_.evaluate(line.提出用単価計算式);
        if (!value) return false;
        line.提出用単価 = Currency::fromDouble(*value).value_or(Currency());
    }
    return true;
}

bool ItemPricer::priceDaika(DemoLine& owner, int32_t childCount, std::vector<DemoLine>& lower) {
    const double target = owner.見積１単価.toDouble();
    const double model = std::fabs(target) < 5000 ? 100 : std::fabs(target) < 50000 ? 10 : 1;
    const int32_t decimals = unitDecimals(owner.単位名称);
    const auto& labour = random_.pick(labourCatalogue());

    lower.clear();
    auto add = [&](std::string_view name, std::string_view spec, std::string_view unit,
                   double quantity, double costPrice) {
        DemoLine line;
        line.名称１ = name;
        line.仕様１ = spec;
        line.単位名称 = unit;
        line.単位ＩＤ = unitId(unit);
        line.内訳数量 = quantity;
        line.拾い数量 = quantity;
        line.見積１単価 = niceYen(costPrice);
        line.見積２単価 = niceYen(line.見積１単価.toDouble() * markUp_);
        line.提出用単価 = niceYen(line.見積２単価.toDouble() * discount_);
        line.受注者単価 = line.見積１単価;
        lower.push_back(std::move(line));
    };
    const double materialQuantity = roundTo(model * random_.real(1.02, 1.08), decimals);
    add(owner.名称１, owner.仕様１, owner.単位名称, materialQuantity,
        target * 0.55 * model / materialQuantity);
    const double days = std::max(0.01, roundTo(target * 0.3 * model / labour.dayRate, 2));
    add(labour.name, "", "人", days, labour.dayRate);
    if (childCount >= 3) add("機械器具損料", "", "式", 1, target * 0.06 * model);
    if (childCount >= 4) add("消耗品・雑材料", "", "式", 1, target * 0.05 * model);
    for (int32_t k = 4; k < childCount; ++k) add("運搬費", "", "式", 1, target * 0.04 * model);

    Currency sum1, sum2, sum3;
    for (auto& line : lower) {
        if (!wholeAmount(line.見積１単価, line.内訳数量, line.見積１金額) ||
            !wholeAmount(line.見積２単価, line.内訳数量, line.見積２金額) ||
            !wholeAmount(line.提出用単価, line.内訳数量, line.提出用金額)) {
            return false;
        }
        auto s1 = sum1.plus(line.見積１金額), s2 = sum2.plus(line.見積２金額),
             s3 = sum3.plus(line.提出用金額);
        if (!s1 || !s2 || !s3) return false;
        sum1 = *s1, sum2 = *s2, sum3 = *s3;
    }
    // The owner's prices are the breakdown per model unit, rounded down to the step an
    // estimator would quote; the difference is the breakdown's rounding amount.
    auto perUnit = [&](Currency total) {
        const int64_t raw = total.raw() / static_cast<int64_t>(model);
        return Currency::fromRaw(raw).truncated();
    };
    auto roundedDown = [](Currency price) {
        const int64_t yen = price.wholeUnits();
        const int64_t step = yen >= 10000 ? 10 : 1;
        return Currency::fromUnits(yen / step * step).value_or(Currency());
    };
    owner.見積１単価 = roundedDown(perUnit(sum1));
    owner.見積２単価 = roundedDown(perUnit(sum2));
    owner.提出用単価 = roundedDown(perUnit(sum3));
    owner.受注者単価 = owner.見積１単価;
    owner.見積１単価計算式.clear();
    owner.提出用単価計算式.clear();
    // The breakdown's total is the quoted price for the model quantity; the rounding
    // amount brings the sum of its lines to it.
    auto modelTotal = owner.提出用単価.times(model);
    if (!modelTotal) return false;
    DemoDaika daika;
    daika.モデル数量 = model;
    daika.合計金額 = *modelTotal;
    daika.端数金額 = modelTotal->minus(sum3).value_or(Currency());
    daika.換算単価 = owner.提出用単価;
    owner.daika = daika;
    return true;
}

}  // namespace omrix::demo
