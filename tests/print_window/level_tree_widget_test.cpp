// Tv_Kaiso over the level tree model: the item model's contract, ticks by mouse and Space,
// locked rows. What the commands tick is level_tree_model_test's; the menu the window's.
#include <QAbstractItemModelTester>
#include <QContextMenuEvent>
#include <QMenu>

#include "breakdown/ucw_fixture.h"
#include "level_tree/level_tree_model.h"
#include "print_window/level_tree_widget.h"
#include "window_fixture.h"

namespace omrix::print_window::testing {
namespace {

using omrix::testing::line;

// 見出し 1 > 種目 2 > 科目 3, 4 (4 locked); 種目 5 > 科目 6.
std::shared_ptr<breakdown::COmrixEditUcw> smallTree() {
    std::vector<breakdown::UchiwakeRec> lines = {
        line(1, 0, 0, 1, "本工事"), line(2, 1, 1, 1, "建築工事"),     line(3, 2, 2, 1, "仮設工事"),
        line(4, 2, 2, 2, "土工事"), line(5, 1, 1, 2, "電気設備工事"), line(6, 5, 2, 1, "幹線設備")};
    for (auto& rec : lines) {
        rec.名称２ = rec.名称１;
        rec.表示番号名称 = std::to_string(rec.表示No);
        rec.ロック = rec.内訳ＩＤ == 4;
    }
    return omrix::testing::buildTree(std::move(lines));
}

class TreeWidget : public ::testing::Test {
  protected:
    void SetUp() override {
        root = smallTree();
        ASSERT_TRUE(root);
        tree.sbCreateTree(root.get(), 0);
        ASSERT_EQ(tree.count(), 6);
        model = std::make_unique<LevelTreeItemModel>(tree);
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        view = std::make_unique<LevelTreeView>(model.get());
        for (const level_tree::LevelTreeCommand& command : level_tree::levelTreeMenu()) {
            QAction* item = menu.addAction(QString::fromUtf8(command.caption.data()));
            item->setObjectName(QString::fromUtf8(command.name.data()));
            QObject::connect(item, &QAction::triggered,
                             [this, run = command.run] { (tree.*run)(); });
        }
        view->setCheckMenu(&menu);
        view->show();
        view->showBuiltTree();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    QModelIndex at(int32_t node) { return model->indexOf(node); }
    std::vector<int32_t> ticked() {
        std::vector<int32_t> nodes;
        for (int32_t i = 1; i <= tree.count(); ++i) {
            if (tree.node(i).checked) nodes.push_back(i);
            EXPECT_EQ(at(i).data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked,
                      tree.node(i).checked);
        }
        return nodes;
    }
    void clickCheckBox(int32_t node) {
        // The check indicator sits at the left of the item, before the image.
        const QRect item = view->visualRect(at(node));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          QPoint(item.left() + item.height() / 2, item.center().y()));
    }

    std::shared_ptr<breakdown::COmrixEditUcw> root;
    level_tree::LevelTreeModel tree;
    std::unique_ptr<LevelTreeItemModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
    std::unique_ptr<LevelTreeView> view;
    QMenu menu;
};

using Nodes = std::vector<int32_t>;

// Every node shown expanded with its image, the locked one red, the first current;
// ticking by mouse and Space carries down and makes the node current.
TEST_F(TreeWidget, ShownExpandedAndTickedByMouseAndSpace) {
    for (int32_t i = 1; i <= tree.count(); ++i) {
        EXPECT_TRUE(view->isExpanded(at(i)) || model->rowCount(at(i)) == 0) << i;
        EXPECT_FALSE(at(i).data(Qt::DecorationRole).value<QIcon>().isNull()) << i;
        EXPECT_EQ(at(i).data(Qt::ForegroundRole).value<QColor>(),
                  QColor(i == 4 ? Qt::red : Qt::black));
    }
    EXPECT_EQ(view->currentIndex(), at(1));

    clickCheckBox(2);
    EXPECT_EQ(ticked(), (Nodes{2, 3, 4}));
    EXPECT_EQ(tree.currentNode(), 2);
    // A locked row ticks like any other.
    clickCheckBox(4);
    EXPECT_EQ(ticked(), (Nodes{2, 3}));
    // Clicking a ticked node's text ticks its branch again.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(at(2)).center());
    EXPECT_EQ(ticked(), (Nodes{2, 3, 4}));

    // Space toggles the current node.
    clickCheckBox(2);
    view->setFocus();
    view->setCurrentIndex(at(5));
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_EQ(ticked(), (Nodes{5, 6}));
    EXPECT_EQ(tree.currentNode(), 5);
    QTest::keyClick(view.get(), Qt::Key_Up);
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_EQ(tree.currentNode(), 4);
    EXPECT_EQ(ticked(), (Nodes{4, 5, 6}));
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_EQ(ticked(), (Nodes{5, 6}));
}

// The menu acts on the node the user last pointed at: a right-click, or a keyboard move
// before the Menu key or Shift+F10, makes that node current; none ticks by itself.
TEST_F(TreeWidget, MenuActsOnThePointedNode) {
    auto runOnMenu = [this](const char* name) {
        EXPECT_TRUE(QTest::qWaitFor([this] { return menu.isVisible(); })) << name;
        menu.findChild<QAction*>(name)->trigger();
        menu.close();
    };
    auto rightClick = [this](int32_t node) {
        const QPoint point = view->visualRect(at(node)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, point,
                                view->viewport()->mapToGlobal(point));
        QApplication::sendEvent(view->viewport(), &event);
    };
    // A right-click with no click before it still has a node to act on.
    rightClick(2);
    EXPECT_EQ(tree.currentNode(), 2);
    EXPECT_EQ(ticked(), Nodes{});
    runOnMenu("mnuPrintCheckAllKaiso");
    EXPECT_EQ(ticked(), (Nodes{2, 3, 4}));

    // Left-click 5 (its branch clears: 5 is unticked), right-click 2, clear one level:
    // 2 and its children go, 5's branch is untouched.
    clickCheckBox(5);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(at(5)).center());
    EXPECT_EQ(ticked(), (Nodes{2, 3, 4, 5, 6}));
    rightClick(2);
    EXPECT_EQ(view->currentIndex(), at(2));
    runOnMenu("mnuPrintCheckOnly1KaisoFree");
    EXPECT_EQ(ticked(), (Nodes{5, 6}));

    // Arrow keys move the current node; the Menu key and Shift+F10 open the menu on it.
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_Down);  // 2 -> 3
    EXPECT_EQ(tree.currentNode(), 3);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(1, 1), QPoint(1, 1));
    QApplication::sendEvent(view->viewport(), &menuKey);
    runOnMenu("mnuPrintCheckAllKaiso");
    EXPECT_EQ(ticked(), (Nodes{3, 5, 6}));
    QTest::keyClick(view.get(), Qt::Key_Down);  // 3 -> 4
    QTest::keyClick(view.get(), Qt::Key_Down);  // 4 -> 5
    QTest::keyClick(view.get(), Qt::Key_F10, Qt::ShiftModifier);
    runOnMenu("mnuPrintCheckAllKaisoFree");
    EXPECT_EQ(ticked(), Nodes{3});
    // Right-clicking blank space points at nothing new.
    QContextMenuEvent blank(QContextMenuEvent::Mouse, QPoint(5, view->viewport()->height() - 2),
                            view->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(view->viewport(), &blank);
    EXPECT_EQ(tree.currentNode(), 5);
    menu.close();
}

}  // namespace
}  // namespace omrix::print_window::testing
