// Frm_Omrix_Print_ChangePageName over the demo: the grid, typing a page name, 印刷,
// ｷｬﾝｾﾙ and a refused write; and the window reached from a print run.
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "breakdown/tree/edit_ucw.h"
#include "print/print_source.h"
#include "print_window/page_name_window.h"
#include "window_fixture.h"

namespace omrix::print_window::testing {
namespace {

using context::appContext;

class PageNameWindow : public DemoWindowTest {
  protected:
    void SetUp() override {
        DemoWindowTest::SetUp();
        tree.sbCreateTree(appContext().UchiwakeRoot.get(), 0);
        ASSERT_GT(tree.count(), 2);
        tree.Tv_Kaiso_NodeClick(1);
    }

    // 頁名称 in 内訳 of the row listed at `row`: the grid lists the children of node 1.
    std::string stored(int row) {
        int32_t node = tree.node(1).firstChild;
        for (int i = 0; i < row; ++i) node = tree.node(node).next;
        return tables.value("SELECT RTRIM(頁名称) FROM 内訳 WHERE 内訳ＩＤ = " +
                            tree.node(node).tag);
    }
    level_tree::LevelTreeModel tree;
};

// The grid lists node 1's children, only 頁名称 editable; typing stops at the column's
// 16 bytes; 印刷 writes what was typed, ｷｬﾝｾﾙ writes nothing, a refused write keeps it
// open.
TEST_F(PageNameWindow, PrintWritesTheTypedNamesCancelAndARefusalWriteNothing) {
    Frm_Omrix_Print_ChangePageName window(print::printSourceFromContext(), tree, nullptr);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* grid = child<QTableWidget>(&window, "Spd_PageName");
    ASSERT_EQ(grid->columnCount(), 3);
    int children = 0;
    for (int32_t i = tree.node(1).firstChild; i != 0; i = tree.node(i).next) ++children;
    ASSERT_EQ(grid->rowCount(), children);
    ASSERT_GE(children, 2);
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(bool(grid->item(row, column)->flags() & Qt::ItemIsEditable), column == 2);
        EXPECT_FALSE(grid->item(row, 1)->text().endsWith(' '));
    }

    const std::string untouched = grid->item(1, 2)->text().toStdString();
    // Typed as an input method hands over Japanese text: 8 full-width characters fill the
    // 16 bytes, the other 9 are refused. The edit still open in the grid is written.
    grid->setFocus();
    grid->setCurrentCell(0, 2);
    grid->editItem(grid->item(0, 2));
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QInputMethodEvent committed;
    committed.setCommitString("本館工事の頁名称として長すぎる名前");
    QApplication::sendEvent(editor, &committed);
    EXPECT_EQ(editor->text(), "本館工事の頁名称");
    QTest::mouseClick(child<QPushButton>(&window, "Cmd_Print"), Qt::LeftButton);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(stored(0), "本館工事の頁名称");
    EXPECT_EQ(stored(1), untouched);

    Frm_Omrix_Print_ChangePageName again(print::printSourceFromContext(), tree, nullptr);
    again.show();
    auto* grid2 = child<QTableWidget>(&again, "Spd_PageName");
    EXPECT_EQ(grid2->item(0, 2)->text(), "本館工事の頁名称");
    grid2->item(0, 2)->setText("取り消す名前");
    QTest::mouseClick(child<QPushButton>(&again, "Cmd_Cancel"), Qt::LeftButton);
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_EQ(stored(0), "本館工事の頁名称");
    EXPECT_TRUE(tables.messages().messages().empty());

    // A refused write keeps the window open (its messages: page_name_rows_test).
    tables.exec(
        "CREATE TRIGGER refuse BEFORE UPDATE ON 内訳 BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    Frm_Omrix_Print_ChangePageName refused(print::printSourceFromContext(), tree, nullptr);
    refused.show();
    child<QTableWidget>(&refused, "Spd_PageName")->item(0, 2)->setText("新しい名前");
    QTest::mouseClick(child<QPushButton>(&refused, "Cmd_Print"), Qt::LeftButton);
    EXPECT_TRUE(refused.isVisible());
    EXPECT_EQ(tables.messages().messages().size(), 2u);
    EXPECT_EQ(stored(0), "本館工事の頁名称");
}

// From the main window: 頁名称使用, Yes to the question, a name typed, printed with it.
TEST_F(PageNameWindow, ReachedFromAPrintRun) {
    appContext().Kengen = 0;
    tables.messages().setAnswer(platform::kAnswerYes);
    auto window = openMain();
    window->levelTree().Tv_Kaiso_NodeCheck(1, true);
    child<QRadioButton>(window.get(), "Opt_PageTypePageName")->click();
    // The arrow, not the run's hourglass, while the window waits.
    Qt::CursorShape pointer = Qt::BusyCursor;
    whenModal([&pointer](QWidget* modal) {
        if (QApplication::overrideCursor() != nullptr)
            pointer = QApplication::overrideCursor()->shape();
        child<QTableWidget>(modal, "Spd_PageName")->item(0, 2)->setText("第一頁");
        QTest::mouseClick(child<QPushButton>(modal, "Cmd_Print"), Qt::LeftButton);
    });
    window->Cmd_Print_Click();
    EXPECT_EQ(pointer, Qt::ArrowCursor);
    EXPECT_EQ(stored(0), "第一頁");
    EXPECT_GT(tables.count("内訳出力 WHERE 頁名称 LIKE '第一頁%'"), 0);
}

}  // namespace
}  // namespace omrix::print_window::testing
