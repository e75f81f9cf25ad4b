#include "level_tree/level_tree_model.h"

#include <array>

#include "util/text.h"

namespace omrix::level_tree {
namespace {

bool isPseudoTag(std::string_view tag) {
    return tag == "-1" || tag == "-2" || tag == "-3";
}

}  // namespace

bool isPseudoUchiwakeId(int32_t lUchiwakeID) {
    return lUchiwakeID == -1 || lUchiwakeID == -2 || lUchiwakeID == -3;
}

void LevelTreeModel::clear() {
    nodes_.clear();
    byTag_.clear();
    byId_.clear();
    checkedCount_ = 0;
    lastTop_ = 0;
    selected_ = 0;
    current_ = 0;
}

void LevelTreeModel::setChecked(int32_t index, bool checked) {
    if (!valid(index)) return;
    LevelNode& n = at(index);
    if (n.checked == checked) return;
    n.checked = checked;
    // Pseudo tags never come from the build, but the count must not depend on that.
    if (!isPseudoTag(n.tag)) checkedCount_ += checked ? 1 : -1;
    if (onCheckChanged) onCheckChanged(index);
}

void LevelTreeModel::sbSetChildChecked(int32_t index, bool checked, bool& bOnly1) {
    if (!valid(index)) return;
    // Pre-order over the branch without recursion: deep trees cannot exhaust the stack.
    int32_t i = node(index).firstChild;
    while (i != 0) {
        setChecked(i, checked);
        if (!bOnly1 && node(i).firstChild != 0) {
            i = node(i).firstChild;
            continue;
        }
        while (i != index && node(i).next == 0) i = node(i).parent;
        i = i == index ? 0 : node(i).next;
    }
}

void LevelTreeModel::Tv_Kaiso_NodeCheck(int32_t index, bool checked) {
    if (!valid(index)) return;
    current_ = index;
    selected_ = index;
    setChecked(index, checked);
    bool only1 = false;
    sbSetChildChecked(index, checked, only1);
}

void LevelTreeModel::Tv_Kaiso_NodeClick(int32_t index) {
    if (!valid(index)) return;
    current_ = index;
    // A click selects the node in the widget as well.
    selected_ = index;
    bool only1 = false;
    sbSetChildChecked(index, node(index).checked, only1);
}

void LevelTreeModel::pointNode(int32_t index) {
    if (!valid(index)) return;
    current_ = index;
    selected_ = index;
}

void LevelTreeModel::checkFromCurrent(bool checked, bool only1) {
    if (!valid(current_)) return;
    setChecked(current_, checked);
    sbSetChildChecked(current_, checked, only1);
}

void LevelTreeModel::mnuPrintCheckAllKaiso_Click() {
    checkFromCurrent(true, false);
}

void LevelTreeModel::mnuPrintCheckAllKaisoFree_Click() {
    checkFromCurrent(false, false);
}

void LevelTreeModel::mnuPrintCheckOnly1Kaiso_Click() {
    checkFromCurrent(true, true);
}

void LevelTreeModel::mnuPrintCheckOnly1KaisoFree_Click() {
    checkFromCurrent(false, true);
}

int16_t LevelTreeModel::fnGetPrintKaisoChecked(std::string_view sTag) const {
    if (isPseudoTag(sTag)) return -1;
    const LevelNode* n = fnGetTreeObject(sTag);
    return n != nullptr && n->checked ? -1 : 0;
}

bool LevelTreeModel::fnCheckKaisoUchiwakeChecked() const {
    return checkedCount_ > 0;
}

const LevelNode* LevelTreeModel::fnGetTreeObject(std::string_view sTag) const {
    if (byTag_.empty()) return nullptr;
    auto found = byTag_.find(std::string(util::trimBlanks(sTag)));
    return found == byTag_.end() ? nullptr : &node(found->second);
}

bool LevelTreeModel::fnGetTreeUchiwakeChecked(int32_t lUchiwakeID) const {
    if (isPseudoUchiwakeId(lUchiwakeID)) return true;
    const LevelNode* n = nodeOfUchiwake(lUchiwakeID);
    return n != nullptr && n->checked;
}

const LevelNode* LevelTreeModel::nodeOfUchiwake(int32_t lUchiwakeID) const {
    auto found = byId_.find(lUchiwakeID);
    return found == byId_.end() ? nullptr : &node(found->second);
}

std::span<const LevelTreeCommand> levelTreeMenu() {
    static constexpr std::array<LevelTreeCommand, 4> kMenu{{
        {"mnuPrintCheckOnly1Kaiso", "以下１階層全て選択",
         &LevelTreeModel::mnuPrintCheckOnly1Kaiso_Click},
        {"mnuPrintCheckAllKaiso", "以下全て選択", &LevelTreeModel::mnuPrintCheckAllKaiso_Click},
        {"mnuPrintCheckOnly1KaisoFree", "以下１階層全て解除",
         &LevelTreeModel::mnuPrintCheckOnly1KaisoFree_Click},
        {"mnuPrintCheckAllKaisoFree", "以下全て解除",
         &LevelTreeModel::mnuPrintCheckAllKaisoFree_Click},
    }};
    return kMenu;
}

}  // namespace omrix::level_tree
