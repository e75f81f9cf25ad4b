// The nodes of the level tree made from the loaded breakdown lines.

#include <string>
#include <utility>
#include <vector>

#include "breakdown/tree/edit_ucw.h"
#include "level_tree/level_tree_model.h"
#include "util/aligned_text.h"

namespace omrix::level_tree {
namespace {

using breakdown::COmrixEditUcw;

constexpr int16_t kDisplayNumberWidth = 6;

bool getsNode(COmrixEditUcw& row) {
    switch (row.fnGetMajorSyubetu()) {
        case breakdown::kSyubetuMidasi:
        case breakdown::kSyubetuSyumoku:
        case breakdown::kSyubetuKamoku:
        case breakdown::kSyubetuChuKamoku:
        case breakdown::kSyubetuBesshi:
            return !row.fnIsEmpty();
        default:
            return false;
    }
}

}  // namespace

std::string_view levelNodeImage(int16_t majorKind) {
    switch (majorKind) {
        case breakdown::kSyubetuMidasi:
            return "見出し";
        case breakdown::kSyubetuSyumoku:
            return "種目";
        case breakdown::kSyubetuKamoku:
            return "科目";
        case breakdown::kSyubetuChuKamoku:
            return "中科目";
        case breakdown::kSyubetuBesshi:
            return "別紙";
        default:
            return {};
    }
}

std::string levelNodeText(COmrixEditUcw& row) {
    const breakdown::UchiwakeRec& rec = row.prUchiwakeRec();
    if (rec.種別フラグ == 0) {
        std::string text(rec.名称２.trimmedRight());
        text += rec.仕様２.trimmedRight();
        return text;
    }
    std::string number(rec.表示番号名称.trimmedRight());
    std::string text = util::fnAlignByBytes(number, util::kAlignLeft, kDisplayNumberWidth);
    text += rec.名称２.trimmedRight();
    return text;
}

void sbSetNodeData(LevelNode& node, COmrixEditUcw& row) {
    const breakdown::UchiwakeRec& rec = row.prUchiwakeRec();
    node.uchiwakeId = rec.内訳ＩＤ;
    node.tag = std::to_string(rec.内訳ＩＤ);
    node.image = levelNodeImage(row.fnGetMajorSyubetu());
    node.text = levelNodeText(row);
    node.backColor = kNodeBackColor;
    node.foreColor = kNodeForeColor;
    if (rec.ロック) {
        node.text += kLockedMark;
        node.foreColor = kNodeLockedColor;
    }
}

int32_t LevelTreeModel::addNode(int32_t parentIndex, COmrixEditUcw& row) {
    LevelNode n;
    n.index = count() + 1;
    n.parent = valid(parentIndex) ? parentIndex : 0;
    n.expanded = true;
    sbSetNodeData(n, row);
    nodes_.push_back(std::move(n));
    const LevelNode& added = nodes_.back();
    if (added.parent != 0) {
        LevelNode& parent = at(added.parent);
        if (parent.lastChild != 0) {
            at(parent.lastChild).next = added.index;
        } else {
            parent.firstChild = added.index;
        }
        parent.lastChild = added.index;
    } else {
        // Top-level nodes are chained too, so the widget can walk them.
        if (lastTop_ != 0) at(lastTop_).next = added.index;
        lastTop_ = added.index;
        selected_ = added.index;
    }
    // The first node with a tag keeps it: the queries answer for that one.
    byTag_.emplace(added.tag, added.index);
    byId_.emplace(row.prUchiwakeRec().内訳ＩＤ, added.index);
    return added.index;
}

void LevelTreeModel::sbCreateTree(COmrixEditUcw* row, int32_t parentIndex) {
    struct Visit {
        COmrixEditUcw* row;
        int32_t parent;
    };
    // Siblings wait on the stack while the children of a line are built, so the
    // nodes come in the order of the lines and the depth of the tree costs no stack.
    std::vector<Visit> pending{{row, parentIndex}};
    while (!pending.empty()) {
        const Visit v = pending.back();
        pending.pop_back();
        if (v.row == nullptr) continue;
        pending.push_back({v.row->fnGetNext(), v.parent});
        // A line without a node leaves its children to its nearest shown ancestor.
        const int32_t childParent = getsNode(*v.row) ? addNode(v.parent, *v.row) : v.parent;
        pending.push_back({v.row->fnGetTopChild(), childParent});
    }
}

}  // namespace omrix::level_tree
