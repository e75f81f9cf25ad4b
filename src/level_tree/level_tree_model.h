#pragma once
// The level tree of the main print window as plain data: one node per heading line
// of the loaded breakdown (見出し, 種目, 科目, 中科目, 別紙), in the order the lines
// come, with a check state that the user's ticks carry down the branch. The tree
// widget shows this model; the print rows ask it, never the widget.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace omrix::breakdown {
class COmrixEditUcw;
}

namespace omrix::level_tree {

// Colours as the suite carries them: 0x00BBGGRR.
inline constexpr uint32_t kNodeBackColor = 0xFFFFFF;
inline constexpr uint32_t kNodeForeColor = 0x000000;
inline constexpr uint32_t kNodeLockedColor = 0x0000FF;  // red

inline constexpr std::string_view kLockedMark = "(編集中)";

struct LevelNode {
    int32_t index = 0;   // 1-based position in index order
    int32_t parent = 0;  // 0 at the top level
    int32_t firstChild = 0;
    int32_t lastChild = 0;
    int32_t next = 0;        // next sibling; 0 for the last
    int32_t uchiwakeId = 0;  // 内訳ＩＤ of the node's line
    std::string tag;         // the same in decimal, as the widget keys its nodes
    std::string text;
    std::string image;  // key into Iml_Tree
    uint32_t backColor = kNodeBackColor;
    uint32_t foreColor = kNodeForeColor;
    bool expanded = true;
    bool checked = false;
};

class LevelTreeModel {
  public:
    // Builds the nodes of `row`, its siblings after it and everything below them,
    // under the node `parentIndex` (0: top level). The window calls it once with
    // AppContext.UchiwakeRoot and 0 on an empty model.
    void sbCreateTree(breakdown::COmrixEditUcw* row, int32_t parentIndex);
    void clear();

    int32_t count() const { return static_cast<int32_t>(nodes_.size()); }
    // 1..count().
    const LevelNode& node(int32_t index) const {
        return nodes_[static_cast<std::size_t>(index - 1)];
    }
    // 0 when there is none.
    int32_t selectedNode() const { return selected_; }
    // The first top-level node; 0 for an empty tree.
    int32_t rootNode() const { return nodes_.empty() ? 0 : 1; }
    int32_t currentNode() const { return current_; }
    // The widget's selection moved (by program); the current node stays.
    void selectNode(int32_t index) {
        if (valid(index)) selected_ = index;
    }
    // The user pointed at the node (right-click, or moved to it by keyboard): the menu
    // commands act on it from now on. No box changes.
    void pointNode(int32_t index);

    // One check box, nothing carried down (the export program's --levels).
    void setChecked(int32_t index, bool checked);
    // Sets the children of the node and, unless bOnly1, everything below them.
    void sbSetChildChecked(int32_t index, bool checked, bool& bOnly1);

    // The user toggled the node's box; `checked` is its new state.
    void Tv_Kaiso_NodeCheck(int32_t index, bool checked);
    void Tv_Kaiso_NodeClick(int32_t index);
    // The commands of menu 印刷 on the current node; nothing without one.
    void mnuPrintCheckAllKaiso_Click();
    void mnuPrintCheckAllKaisoFree_Click();
    void mnuPrintCheckOnly1Kaiso_Click();
    void mnuPrintCheckOnly1KaisoFree_Click();

    // True -1 / False 0. The pseudo tags "-1", "-2" and "-3" are always ticked.
    int16_t fnGetPrintKaisoChecked(std::string_view sTag) const;
    // Something other than a pseudo tag is ticked.
    bool fnCheckKaisoUchiwakeChecked() const;
    // The first node with the tag (blanks around it ignored), or null.
    const LevelNode* fnGetTreeObject(std::string_view sTag) const;
    bool fnGetTreeUchiwakeChecked(int32_t lUchiwakeID) const;
    // The first node of the 内訳ＩＤ, or null.
    const LevelNode* nodeOfUchiwake(int32_t lUchiwakeID) const;

    // Called with the index of every node whose check state changed.
    std::function<void(int32_t index)> onCheckChanged;

  private:
    int32_t addNode(int32_t parentIndex, breakdown::COmrixEditUcw& row);
    LevelNode& at(int32_t index) { return nodes_[static_cast<std::size_t>(index - 1)]; }
    bool valid(int32_t index) const { return index >= 1 && index <= count(); }
    void checkFromCurrent(bool checked, bool only1);

    std::vector<LevelNode> nodes_;
    // First node in index order for each tag and for each tag's number.
    std::unordered_map<std::string, int32_t> byTag_;
    std::unordered_map<int32_t, int32_t> byId_;
    int32_t checkedCount_ = 0;
    int32_t lastTop_ = 0;
    int32_t selected_ = 0;
    int32_t current_ = 0;
};

// The IDs -1, -2 and -3 stand for no line of their own and count as always ticked.
bool isPseudoUchiwakeId(int32_t lUchiwakeID);

// Fills a node from its line: tag, image, text and colour.
void sbSetNodeData(LevelNode& node, breakdown::COmrixEditUcw& row);

// The node's text without the lock mark: the display number padded to 6 bytes and
// 名称２, or for the heading 名称２ and 仕様２.
std::string levelNodeText(breakdown::COmrixEditUcw& row);

// The image key of a major kind; empty for kinds that get no node.
std::string_view levelNodeImage(int16_t majorKind);

// The menu 印刷 as the window offers it, in its order.
struct LevelTreeCommand {
    std::string_view name;  // object name of the menu item
    std::string_view caption;
    void (LevelTreeModel::*run)();
};
std::span<const LevelTreeCommand> levelTreeMenu();

}  // namespace omrix::level_tree
