#include "breakdown/tree/uchiwake_build.h"

#include <algorithm>

#include <set>
#include <string>
#include <unordered_map>

#include "breakdown/tree/hyoji_sort.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "platform/messages.h"

namespace omrix::breakdown {

UchiwakeBuild::UchiwakeBuild(UchiwakeRows& rows, UcwTree& tree) : rows_(rows), tree_(tree) {
    for (uint32_t i = 1; i < rows.size(); ++i) byParent_.push_back(i);
    std::stable_sort(byParent_.begin(), byParent_.end(), [&rows](uint32_t a, uint32_t b) {
        return rows[a].親内訳ＩＤ < rows[b].親内訳ＩＤ;
    });
    taken_.assign(byParent_.size(), false);
}

std::span<const uint32_t> UchiwakeBuild::children(int32_t parentID) const {
    auto first =
        std::lower_bound(byParent_.begin(), byParent_.end(), parentID,
                         [this](uint32_t row, int32_t id) { return rows_[row].親内訳ＩＤ < id; });
    auto last =
        std::upper_bound(first, byParent_.end(), parentID,
                         [this](int32_t id, uint32_t row) { return id < rows_[row].親内訳ＩＤ; });
    return {first, last};
}

bool UchiwakeBuild::takeLevel(std::span<const uint32_t> level) {
    if (level.empty()) return true;
    auto at = static_cast<std::size_t>(level.data() - byParent_.data());
    if (taken_[at]) return false;
    taken_[at] = true;
    return true;
}

bool fnBuildUchiwakeLevel(int32_t lParentID, UchiwakeBuild& build, COmrixEditUcw*& firstChild) {
    firstChild = nullptr;
    UchiwakeRows& rows = build.rows();
    struct Pending {
        int32_t parentID;
        COmrixEditUcw* parent;  // nullptr for the level asked for
    };
    // The levels are built from a work list rather than by recursion: every level is
    // taken once whatever the order, so the result and the failures are the same.
    std::vector<Pending> pending{{lParentID, nullptr}};
    std::vector<uint32_t> order;
    while (!pending.empty()) {
        Pending level = pending.back();
        pending.pop_back();
        std::span<const uint32_t> children = build.children(level.parentID);
        if (children.empty()) continue;
        if (!build.takeLevel(children)) return false;
        // 1-based, as the pivot rule of the sort counts positions that way.
        order.assign(1, 0);
        for (uint32_t row : children) {
            rows[row].配置済 = true;
            order.push_back(row);
        }
        hyojiQuickSort(order, 1, static_cast<int64_t>(order.size()) - 1,
                       [&rows](uint32_t row) { return rows[row].表示No; });
        COmrixEditUcw* first = nullptr;
        COmrixEditUcw* prev = nullptr;
        for (std::size_t k = 1; k < order.size(); ++k) {
            COmrixEditUcw* line = build.tree().newLineOnRow(rows[order[k]]);
            if (prev != nullptr) {
                prev->sbSetNext(line);
            } else {
                first = line;
            }
            prev = line;
            pending.push_back({rows[order[k]].内訳ＩＤ, line});
        }
        if (level.parent != nullptr) {
            level.parent->sbRefreshLower(first);
        } else {
            firstChild = first;
        }
    }
    return true;
}

namespace {

// Why the line at `row` has no place in the tree: its parent links lead to a line that
// does not exist, or round in a cycle.
std::string whyUnplaced(const UchiwakeRows& rows, std::size_t row, int32_t topParentID) {
    std::unordered_map<int32_t, std::size_t> byId;
    for (std::size_t i = 1; i < rows.size(); ++i) byId.emplace(rows[i].内訳ＩＤ, i);
    std::set<int32_t> seen;
    for (std::size_t at = row;;) {
        const int32_t parent = rows[at].親内訳ＩＤ;
        if (parent == topParentID) break;
        auto found = byId.find(parent);
        if (found == byId.end()) {
            return "内訳ＩＤ " + std::to_string(rows[at].内訳ＩＤ) + "の親内訳ＩＤ " +
                   std::to_string(parent) + " is no line of the breakdown";
        }
        if (!seen.insert(parent).second) break;
        at = found->second;
    }
    return "the parent links of 内訳ＩＤ " + std::to_string(rows[row].内訳ＩＤ) + " form a cycle";
}

bool refuseTree(const std::string& why) {
    platform::showMessageBox("the breakdown cannot be built: " + why, platform::kStyleExclamation);
    return false;
}

}  // namespace

bool fnBuildUchiwakeTree(UchiwakeRows& rows, std::shared_ptr<COmrixEditUcw>& root,
                         int32_t lTopParentID) {
    root.reset();
    // A total heading carries a quantity of 1 at most.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if ((rows[i].種別フラグ & kFlagGokeiMidasi) && rows[i].内訳数量 > 1.0)
            rows[i].内訳数量 = 1.0;
    }
    std::shared_ptr<UcwTree> tree = UcwTree::create();
    UchiwakeBuild build(rows, *tree);
    COmrixEditUcw* first = nullptr;
    if (!fnBuildUchiwakeLevel(lTopParentID, build, first)) return false;
    if (first == nullptr && rows.size() > 1) {
        return refuseTree("no line is at the top (親内訳ＩＤ " + std::to_string(lTopParentID) +
                          "); " + whyUnplaced(rows, 1, lTopParentID));
    }
    if (first == nullptr) return false;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (!rows[i].配置済) return refuseTree(whyUnplaced(rows, i, lTopParentID));
    }
    for (std::size_t i = 1; i < rows.size(); ++i) rows[i].配置済 = false;
    tree->adoptRows(std::move(rows));
    rows.clear();
    root = tree->share(first);
    return true;
}

void sbSortUchiwakeByHyojiNo(std::vector<UchiwakeRec>& level, int32_t lo, int32_t hi) {
    int64_t upper = hi < 0 ? static_cast<int64_t>(level.size()) - 1 : hi;
    if (lo < 0 || upper >= static_cast<int64_t>(level.size())) return;
    hyojiQuickSort(level, lo, upper, [](const UchiwakeRec& rec) { return rec.表示No; });
}

}  // namespace omrix::breakdown
