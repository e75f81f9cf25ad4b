#pragma once
// Tv_Kaiso: the level tree model shown as a Qt tree with check boxes. The item model is
// a thin adapter; every rule (propagation, current node, queries) stays in the model.

#include <QAbstractItemModel>
#include <QIcon>
#include <QTreeView>
#include <map>
#include <string>
#include <vector>

class QMenu;

namespace omrix::level_tree {
class LevelTreeModel;
}

namespace omrix::print_window {

class LevelTreeItemModel : public QAbstractItemModel {
  public:
    // The model must outlive this adapter, and be built before it is shown.
    explicit LevelTreeItemModel(level_tree::LevelTreeModel& tree, QObject* parent = nullptr);
    ~LevelTreeItemModel() override;

    // Re-reads the node structure after the tree was built or cleared.
    void rebuild();

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // 1-based node index of an item; 0 for the invisible root.
    int32_t nodeOf(const QModelIndex& index) const;
    QModelIndex indexOf(int32_t node) const;
    level_tree::LevelTreeModel& tree() { return tree_; }

  private:
    const std::vector<int32_t>& childrenOf(int32_t node) const;

    level_tree::LevelTreeModel& tree_;
    // children_[0] is the top level.
    std::vector<std::vector<int32_t>> children_;
    std::vector<int> rowOf_;
    std::map<std::string, QIcon> images_;  // Iml_Tree
};

// The tree view: NodeCheck through the model, NodeClick on a click, the menu 印刷 as
// its context menu, Space toggling the current node's box. A right-click and a keyboard
// move point the model at the node, so the menu acts on the node the user sees.
class LevelTreeView : public QTreeView {
  public:
    LevelTreeView(LevelTreeItemModel* model, QWidget* parent = nullptr);

    // The context menu offered on the tree (the same menu as in the menu bar).
    void setCheckMenu(QMenu* menu) { checkMenu_ = menu; }
    // Expands every node and makes the model's selected node the view's current item.
    void showBuiltTree();

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void nodeClicked(const QModelIndex& index);
    void currentMoved(const QModelIndex& current);
    void pointAt(const QModelIndex& index);
    // Opens the menu below the current node, as the Menu key and Shift+F10 do.
    void menuOnCurrent();

    LevelTreeItemModel* model_;
    QMenu* checkMenu_ = nullptr;
};

// The tooltip of Tv_Kaiso and Tv_Dammy.
inline constexpr const char* kLevelTreeTip = "チェックした以下を全て印刷します。";

}  // namespace omrix::print_window
