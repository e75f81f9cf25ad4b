#include "demo/demo_breakdown.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <string>

#include "demo/demo_catalogue.h"
#include "demo/demo_pricing.h"

namespace omrix::demo {
namespace {

// Kinds of lines a default demo must show at least once; the first chance to make a
// missing one is taken.
enum Feature {
    kChuKamoku,
    kKeizoku,
    kMishiyou,
    kDaika,
    kGokei,
    kGokeiMeisai,
    kBesshi,
    kBesshiApart,
    kFeatureCount
};

enum class Group { Plain, Unused, Continued, Daika, Total, Sheet, Apart };

struct Container {
    int32_t syumokuId = 0;
    int32_t kamokuId = 0;
    const KamokuTemplate* kamoku = nullptr;
    int32_t sheetDepth = 0;
    bool inTotal = false;
    int32_t parts = 1;  // about how often each item of the subject occurs
};

constexpr std::string_view kRoman[] = {"Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ", "Ⅶ", "Ⅷ", "Ⅸ", "Ⅹ"};

// Shares of `total` in proportion to the weights: floors first, the rest one by one
// to the largest remainders (the earlier entry on a tie).
std::vector<int32_t> split(int32_t total, const std::vector<int32_t>& weights) {
    std::vector<int32_t> shares(weights.size(), 0);
    int64_t weightSum = 0;
    for (int32_t w : weights) weightSum += w;
    if (total <= 0 || weightSum <= 0) return shares;
    std::vector<int64_t> remainders(weights.size());
    int32_t given = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const int64_t scaled = static_cast<int64_t>(total) * weights[i];
        shares[i] = static_cast<int32_t>(scaled / weightSum);
        remainders[i] = scaled % weightSum;
        given += shares[i];
    }
    while (given < total) {
        std::size_t best = 0;
        for (std::size_t i = 1; i < remainders.size(); ++i) {
            if (remainders[i] > remainders[best]) best = i;
        }
        ++shares[best];
        remainders[best] = -1;
        ++given;
    }
    return shares;
}

class Planner {
  public:
    Planner(DemoRandom& random, DemoFormulas& formulas, BreakdownPlan& plan)
        : random_(random), pricer_(random, formulas), plan_(plan) {}

    bool run(std::string_view title, int32_t lineCount);

  private:
    int32_t add(DemoLine line, int32_t parentId, const Container& c);
    DemoLine& line(int32_t id) { return plan_.lines[static_cast<std::size_t>(id - 1)]; }
    void lumpSum(int32_t id);

    bool workTypes(int32_t rootId, int32_t budget);
    bool overheads(int32_t rootId, const SyumokuTemplate& overhead, int32_t syumokuId);
    bool subjects(int32_t syumokuId, const SyumokuTemplate& work, int32_t budget, Container c);
    bool subjectBody(int32_t kamokuId, int32_t budget, const Container& c);
    bool fill(int32_t parentId, int32_t budget, const Container& c);
    Group choose(int32_t budget, const Container& c);

    bool item(int32_t parentId, const Container& c, int16_t extraFlags, int32_t& id);
    void continuations(int32_t ownerId, int32_t parentId, int32_t count, const Container& c);
    bool daika(int32_t parentId, int32_t lowerCount, const Container& c);
    bool total(int32_t parentId, int32_t innerCount, const Container& c);
    bool sheet(int32_t parentId, int32_t innerCount, bool apart, bool continued, Container c);
    void supersede();

    DemoRandom& random_;
    ItemPricer pricer_;
    BreakdownPlan& plan_;
    std::vector<int32_t> childCounts_;  // by 内訳ＩＤ - 1
    int32_t topCount_ = 0;
    std::bitset<kFeatureCount> made_;
    int32_t sheetCount_ = 0;
    int32_t daikaCount_ = 0;
    int32_t itemSerial_ = 0;
};

// Heading lines (種目, 科目, 中科目, 別紙) carry their name in 名称２, the column the
// level tree and the page-name window show; items carry theirs in 名称１.
bool Planner::run(std::string_view title, int32_t lineCount) {
    plan_ = BreakdownPlan{};
    if (lineCount < 1) return true;
    plan_.lines.reserve(static_cast<std::size_t>(lineCount));
    DemoLine root;
    root.種別フラグ = 0;
    root.名称１ = title;
    root.名称２ = "工事費内訳書";
    root.頁名称 = "本工事";
    root.単位名称 = "式";
    root.内訳数量 = 1.0;
    const int32_t rootId = add(std::move(root), 0, Container{});
    if (!workTypes(rootId, lineCount - 1)) return false;
    supersede();
    return true;
}

int32_t Planner::add(DemoLine line, int32_t parentId, const Container& c) {
    line.内訳ＩＤ = static_cast<int32_t>(plan_.lines.size()) + 1;
    line.親内訳ＩＤ = parentId;
    int32_t& siblings =
        parentId > 0 ? childCounts_[static_cast<std::size_t>(parentId - 1)] : topCount_;
    line.表示No = ++siblings * 10;
    line.種目ＩＤ = c.syumokuId;
    line.科目ＩＤ = c.kamokuId;
    if (c.kamoku != nullptr) line.工種科目コード = c.kamoku->code;
    plan_.lines.push_back(std::move(line));
    childCounts_.push_back(0);
    return static_cast<int32_t>(plan_.lines.size());
}

// A heading line left without lines below it is priced as one lump sum.
void Planner::lumpSum(int32_t id) {
    DemoLine& l = line(id);
    l.単位名称 = "式";
    l.単位ＩＤ = unitId("式");
    l.内訳数量 = 1.0;
    l.見積１単価 = niceYen(random_.real(800000, 12000000));
    l.見積２単価 = niceYen(l.見積１単価.toDouble() * 1.15);
    l.提出用単価 = niceYen(l.見積２単価.toDouble() * 0.96);
}

bool Planner::workTypes(int32_t rootId, int32_t budget) {
    if (budget <= 0) return true;
    std::vector<const SyumokuTemplate*> works;
    const SyumokuTemplate* overhead = nullptr;
    for (const auto& s : syumokuCatalogue()) {
        if (s.overhead) {
            overhead = &s;
        } else {
            works.push_back(&s);
        }
    }
    const bool withOverhead = overhead != nullptr && budget >= 80;
    const int32_t overheadLines =
        withOverhead ? 1 + static_cast<int32_t>(overhead->kamoku.size()) : 0;
    const int32_t rest = budget - overheadLines;
    const int32_t count = std::clamp<int32_t>(rest / 25, 1, static_cast<int32_t>(works.size()));
    std::vector<int32_t> weights;
    for (int32_t i = 0; i < count; ++i)
        weights.push_back(works[static_cast<std::size_t>(i)]->weight);
    const auto shares = split(rest - count, weights);
    for (int32_t i = 0; i < count; ++i) {
        const SyumokuTemplate& work = *works[static_cast<std::size_t>(i)];
        Container c;
        c.syumokuId = i + 1;
        DemoLine l;
        l.種別フラグ = breakdown::kFlagSyumoku;
        l.表示番号名称 = kRoman[i];
        l.名称２ = work.name;
        l.頁名称 = work.pageName;
        l.単位名称 = "式";
        l.内訳数量 = 1.0;
        const int32_t id = add(std::move(l), rootId, c);
        plan_.workTypes.push_back(id);
        if (!subjects(id, work, shares[static_cast<std::size_t>(i)], c)) return false;
    }
    if (withOverhead) return overheads(rootId, *overhead, count + 1);
    return true;
}

bool Planner::overheads(int32_t rootId, const SyumokuTemplate& overhead, int32_t syumokuId) {
    Container c;
    c.syumokuId = syumokuId;
    DemoLine l;
    l.種別フラグ = breakdown::kFlagSyumoku;
    l.表示番号名称 = kRoman[syumokuId - 1];
    l.名称２ = overhead.name;
    l.頁名称 = overhead.pageName;
    l.単位名称 = "式";
    l.内訳数量 = 1.0;
    const int32_t id = add(std::move(l), rootId, c);
    int32_t number = 0;
    for (const auto& k : overhead.kamoku) {
        c.kamokuId = syumokuId * 100 + ++number;
        c.kamoku = &k;
        DemoLine s;
        s.種別フラグ = breakdown::kFlagKamoku;
        s.表示番号名称 = std::to_string(number);
        s.名称２ = k.name;
        s.単位名称 = "式";
        s.単位ＩＤ = unitId("式");
        s.内訳数量 = 1.0;
        plan_.overheads.push_back({add(std::move(s), id, c), k.overheadPermille});
    }
    return true;
}

bool Planner::subjects(int32_t syumokuId, const SyumokuTemplate& work, int32_t budget,
                       Container c) {
    if (budget <= 0) {
        lumpSum(syumokuId);
        return true;
    }
    const int32_t count =
        std::clamp<int32_t>(budget / 12, 1, static_cast<int32_t>(work.kamoku.size()));
    std::vector<int32_t> weights;
    for (int32_t j = 0; j < count; ++j)
        weights.push_back(work.kamoku[static_cast<std::size_t>(j)].weight);
    const auto shares = split(budget - count, weights);
    for (int32_t j = 0; j < count; ++j) {
        const KamokuTemplate& k = work.kamoku[static_cast<std::size_t>(j)];
        c.kamokuId = c.syumokuId * 100 + j + 1;
        c.kamoku = &k;
        DemoLine l;
        l.種別フラグ = breakdown::kFlagKamoku;
        l.表示番号名称 = std::to_string(j + 1);
        l.名称２ = k.name;
        l.単位名称 = "式";
        l.内訳数量 = 1.0;
        const int32_t id = add(std::move(l), syumokuId, c);
        if (!subjectBody(id, shares[static_cast<std::size_t>(j)], c)) return false;
    }
    return true;
}

bool Planner::subjectBody(int32_t kamokuId, int32_t budget, const Container& c) {
    if (budget <= 0) {
        lumpSum(kamokuId);
        return true;
    }
    // Most lines of a subject are items; each item of the catalogue recurs about this
    // often and takes that share of the quantities.
    Container inner = c;
    const double perItem = budget * 0.7 / static_cast<double>(c.kamoku->items.size());
    inner.parts = std::max<int32_t>(1, static_cast<int32_t>(std::lround(perItem)));
    const auto sections = c.kamoku->sections;
    const bool useSections =
        !sections.empty() && ((budget >= 8 && !made_[kChuKamoku]) ||
                              (budget >= 40 && random_.chance(0.4)) || budget > 150);
    if (!useSections) return fill(kamokuId, budget, inner);
    made_.set(kChuKamoku);
    const int32_t count = std::clamp<int32_t>((budget + 59) / 60, 2, budget / 4);
    std::vector<int32_t> weights;
    for (int32_t s = 0; s < count; ++s) weights.push_back(random_.between(2, 4));
    const auto shares = split(budget - count, weights);
    const auto names = static_cast<int32_t>(sections.size());
    for (int32_t s = 0; s < count; ++s) {
        DemoLine l;
        // A 中科目 carries the 科目 bit as well: the statement prints headings with bit 1, 2 or 16.
        l.種別フラグ = breakdown::kFlagChuKamoku | breakdown::kFlagKamoku;
        l.表示番号名称 = "(" + std::to_string(s + 1) + ")";
        l.名称２ = sections[static_cast<std::size_t>(s % names)];
        if (s >= names) l.名称２ += "（" + std::to_string(s / names + 1) + "工区）";
        l.単位名称 = "式";
        l.内訳数量 = 1.0;
        const int32_t id = add(std::move(l), kamokuId, c);
        const int32_t share = shares[static_cast<std::size_t>(s)];
        if (share <= 0) {
            lumpSum(id);
        } else if (!fill(id, share, inner)) {
            return false;
        }
    }
    return true;
}

bool Planner::fill(int32_t parentId, int32_t budget, const Container& c) {
    while (budget > 0) {
        int32_t id = 0;
        const Group group = choose(budget, c);
        switch (group) {
            case Group::Plain:
                if (!item(parentId, c, 0, id)) return false;
                budget -= 1;
                break;
            case Group::Unused:
                if (!item(parentId, c, breakdown::kFlagMishiyou, id)) return false;
                made_.set(kMishiyou);
                budget -= 1;
                break;
            case Group::Continued: {
                const int32_t count = random_.between(1, std::min(2, budget - 1));
                if (!item(parentId, c, 0, id)) return false;
                continuations(id, parentId, count, c);
                budget -= 1 + count;
                break;
            }
            case Group::Daika: {
                const int32_t lower = random_.between(2, std::min(5, budget - 1));
                if (!daika(parentId, lower, c)) return false;
                budget -= 1 + lower;
                break;
            }
            case Group::Total: {
                const int32_t inner = random_.between(2, std::min(8, budget - 2));
                if (!total(parentId, inner, c)) return false;
                budget -= 2 + inner;
                break;
            }
            case Group::Sheet:
            case Group::Apart: {
                const bool apart = group == Group::Apart;
                const bool continued = budget >= 5 && random_.chance(0.3);
                const int32_t inner =
                    random_.between(3, std::min(14, budget - 1 - (continued ? 1 : 0)));
                if (!sheet(parentId, inner, apart, continued, c)) return false;
                budget -= 1 + inner + (continued ? 1 : 0);
                break;
            }
        }
    }
    return true;
}

Group Planner::choose(int32_t budget, const Container& c) {
    struct Option {
        Group group;
        int32_t minimum;
        int32_t weight;
        bool allowed;
        bool missing;
    };
    const Option options[] = {
        {Group::Continued, 2, 6, true, !made_[kKeizoku]},
        {Group::Unused, 1, 3, true, !made_[kMishiyou]},
        {Group::Daika, 3, 6, true, !made_[kDaika]},
        {Group::Total, 4, 4, !c.inTotal, !made_[kGokei] || !made_[kGokeiMeisai]},
        {Group::Sheet, 4, 4, c.sheetDepth < 2, !made_[kBesshi]},
        {Group::Apart, 4, 1, c.sheetDepth == 0 && !c.inTotal, !made_[kBesshiApart]},
        {Group::Plain, 1, 70, true, false},
    };
    // A kind not made yet gets a fair chance soon, without crowding the first lines.
    for (const auto& o : options) {
        if (o.allowed && o.missing && budget >= o.minimum && random_.chance(0.2)) return o.group;
    }
    std::vector<int32_t> weights;
    for (const auto& o : options) {
        weights.push_back(o.allowed && budget >= o.minimum ? o.weight : 0);
    }
    return options[random_.weighted(weights)].group;
}

bool Planner::item(int32_t parentId, const Container& c, int16_t extraFlags, int32_t& id) {
    const ItemTemplate& t = random_.pick(c.kamoku->items);
    DemoLine l;
    l.種別フラグ = static_cast<int16_t>(breakdown::kFlagMeisai | extraFlags);
    if (!pricer_.priceItem(t, c.parts, l)) return false;
    if (extraFlags & breakdown::kFlagMishiyou) l.社内備考 = "未使用（比較案）";
    l.明細番号 =
        std::string(c.kamoku->code) + "-" + std::to_string(100000 + ++itemSerial_).substr(1);
    id = add(std::move(l), parentId, c);
    return true;
}

void Planner::continuations(int32_t ownerId, int32_t parentId, int32_t count, const Container& c) {
    for (int32_t k = 1; k <= count; ++k) {
        DemoLine l;
        l.種別フラグ = static_cast<int16_t>(breakdown::kFlagKeizoku | breakdown::kFlagMeisai);
        l.仕様１ = random_.pick(continuationTexts());
        l.継続親内訳ＩＤ = ownerId;
        l.継続行No = static_cast<int16_t>(k);
        add(std::move(l), parentId, c);
    }
    made_.set(kKeizoku);
}

bool Planner::daika(int32_t parentId, int32_t lowerCount, const Container& c) {
    // Deductions have no breakdown of their own.
    const ItemTemplate* t = &random_.pick(c.kamoku->items);
    for (int tries = 0; t->price <= 0 && tries < 16; ++tries) t = &random_.pick(c.kamoku->items);
    DemoLine owner;
    owner.種別フラグ = breakdown::kFlagMeisai;
    if (!pricer_.priceItem(*t, c.parts, owner)) return false;
    std::vector<DemoLine> lower;
    if (t->price <= 0 || !pricer_.priceDaika(owner, lowerCount, lower)) return false;
    owner.daika->代価表ＩＤ = ++daikaCount_;
    owner.明細番号 =
        std::string(c.kamoku->code) + "-" + std::to_string(100000 + ++itemSerial_).substr(1);
    const int32_t ownerId = add(std::move(owner), parentId, c);
    for (auto& l : lower) {
        l.種別フラグ = breakdown::kFlagMeisai;
        add(std::move(l), ownerId, c);
    }
    made_.set(kDaika);
    return true;
}

bool Planner::total(int32_t parentId, int32_t innerCount, const Container& c) {
    // Total lines come in both forms: plain (0x40) and of line-item type (0x48).
    const bool meisai = made_[kGokei] && (!made_[kGokeiMeisai] || random_.chance(0.4));
    const std::string name = "【" + std::string(random_.pick(groupHeadingNames())) + "】";
    DemoLine heading;
    heading.種別フラグ =
        static_cast<int16_t>(breakdown::kFlagGokeiMidasi | (meisai ? breakdown::kFlagMeisai : 0));
    heading.名称１ = name;
    heading.単位名称 = "式";
    heading.内訳数量 = 1.0;
    const int32_t headingId = add(std::move(heading), parentId, c);
    Container inner = c;
    inner.inTotal = true;
    if (!fill(headingId, innerCount, inner)) return false;
    DemoLine sum;
    sum.種別フラグ =
        static_cast<int16_t>(breakdown::kFlagGokei | (meisai ? breakdown::kFlagMeisai : 0));
    sum.名称１ = name + " 小計";
    sum.単位名称 = "式";
    sum.単位ＩＤ = unitId("式");
    sum.内訳数量 = 1.0;
    sum.合計見出し行ＩＤ = headingId;
    if (meisai) sum.補助明細コード = "90";
    add(std::move(sum), parentId, c);
    made_.set(meisai ? kGokeiMeisai : kGokei);
    return true;
}

bool Planner::sheet(int32_t parentId, int32_t innerCount, bool apart, bool continued, Container c) {
    const std::string label = "別紙-" + std::to_string(++sheetCount_);
    DemoLine l;
    l.種別フラグ = apart
                       ? static_cast<int16_t>(breakdown::kFlagBesshi | breakdown::kFlagBesshiApart)
                       : breakdown::kFlagBesshi;
    l.名称２ = apart ? random_.pick(apartSheetNames()) : random_.pick(sheetNames());
    l.仕様１ = label + " 参照";
    l.頁名称 = label;
    l.単位名称 = "式";
    l.単位ＩＤ = unitId("式");
    l.内訳数量 = 1.0;
    if (random_.chance(0.5)) l.他社担当者ＭＩＤ = random_.between(1, kDemoTashaTantoshaCount);
    const int32_t sheetId = add(std::move(l), parentId, c);
    if (continued) continuations(sheetId, parentId, 1, c);
    made_.set(apart ? kBesshiApart : kBesshi);
    c.sheetDepth += 1;
    c.inTotal = false;
    return fill(sheetId, innerCount, c);
}

void Planner::supersede() {
    const auto count = static_cast<int32_t>(plan_.lines.size() / 250);
    for (int32_t k = 0; k < count; ++k) {
        const auto& l = plan_.lines[static_cast<std::size_t>(
            random_.between(0, static_cast<int32_t>(plan_.lines.size()) - 1))];
        if (breakdown::fnMajorSyubetu(l.種別フラグ) != breakdown::kSyubetuMeisai || l.daika)
            continue;
        DemoLine old = l;
        old.見積１単価 = niceYen(old.見積１単価.toDouble() * 1.05);
        plan_.superseded.push_back(std::move(old));
    }
}

}  // namespace

bool planBreakdown(DemoRandom& random, DemoFormulas& formulas, std::string_view title,
                   int32_t lineCount, BreakdownPlan& plan) {
    Planner planner(random, formulas, plan);
    return planner.run(title, lineCount);
}

}  // namespace omrix::demo
