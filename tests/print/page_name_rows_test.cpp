// The page-name rows on a real SQLite file: which rows are listed and a write that fails
// part-way. The window's tests write names through them and show the 16-byte cut.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/startup_sequence.h"
#include "breakdown/tree/edit_ucw.h"
#include "context/app_context.h"
#include "data/table_database.h"
#include "level_tree/level_tree_model.h"
#include "platform/shown_messages.h"
#include "print/page_name_rows.h"

namespace omrix::print {
namespace {

using context::appContext;

// Two top-level headings: 1 > 種目 2, 3 (each with a 科目); 4 > 種目 5.
class PageNames : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tables.ok()) << tables.error();
        appContext().CommandLine = "-B:00000001 -H:01";
        tables.exec(
            "INSERT INTO 内訳名称 (内訳名称ＩＤ, 内訳名称, 物件No, 版No) "
            "VALUES (9, '本工事', '00000001', '01');");
        tables.exec(
            "INSERT INTO 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 種別フラグ, 親内訳ＩＤ, 表示No, "
            "表示番号名称, "
            "名称１, 名称２, 頁名称) VALUES "
            "(9, 1, 0, 0, 1, '', '本工事', '本工事', ''),"
            "(9, 2, 1, 1, 2, 'Ａ', '建築工事', '建築工事', '建築 '),"
            "(9, 21, 2, 2, 3, '1', '仮設工事', '仮設工事', ''),"
            "(9, 3, 1, 1, 4, 'Ｂ', '設備工事', '設備工事', '設備'),"
            "(9, 31, 2, 3, 5, '1', '電気設備', '電気設備', ''),"
            "(9, 4, 0, 0, 6, '', '別途工事', '別途工事', ''),"
            "(9, 5, 1, 4, 7, 'Ｃ', '外構工事', '外構工事', '外構');");
        tables.exec("INSERT INTO 環境Ｍ (ＬＯＣＫ作成トライ回数) VALUES (3);");
        ASSERT_EQ(app::runStartup(), app::StartupEnd::Started);
        tree.sbCreateTree(appContext().UchiwakeRoot.get(), 0);
        rows = PageNameRows(printSourceFromContext());
        tables.messages().clear();
    }

    int32_t nodeOf(const std::string& tag) { return tree.fnGetTreeObject(tag)->index; }
    std::vector<std::string> listed() {
        std::vector<std::string> names;
        for (int32_t i = 0; i < rows.count(); ++i) names.push_back(rows.gridRow(i).name);
        return names;
    }
    std::string stored(int32_t id) {
        return tables.value("SELECT RTRIM(頁名称) FROM 内訳 WHERE 内訳ＩＤ = " +
                            std::to_string(id));
    }
    std::string inMemory(int32_t id) {
        return std::string(appContext()
                               .UchiwakeRoot->fnGetIDTarget(id, true)
                               ->prUchiwakeRec()
                               .頁名称.trimmedRight());
    }

    testing::TableDatabase tables;
    level_tree::LevelTreeModel tree;
    PageNameRows rows{PrintSource{}};
};

using Names = std::vector<std::string>;

TEST_F(PageNames, ListsTheSecondLevelOfTheSelectedBranch) {
    struct Case {
        const char* clicked;
        bool tickedOnly;
        Names expected;
    };
    const Case cases[] = {
        {"21", false, {"建築工事", "設備工事"}},  // from a grandchild up to heading 1
        {"1", false, {"建築工事", "設備工事"}},
        // Heading 4's rows lie beside the root line, where the root's search does not reach.
        {"5", false, {}},
        {"4", true, {}},  // nothing ticked there
    };
    for (const Case& c : cases) {
        tree.Tv_Kaiso_NodeClick(nodeOf(c.clicked));
        rows.fnCollectPageNameRows(tree, c.tickedOnly);
        EXPECT_EQ(listed(), c.expected) << c.clicked;
    }
    tree.Tv_Kaiso_NodeCheck(nodeOf("3"), true);
    rows.fnCollectPageNameRows(tree, true);
    EXPECT_EQ(listed(), (Names{"設備工事"}));
}

// A refused row rolls back the rows before it; the names handed over stay in memory.
TEST_F(PageNames, FailedWriteRollsBackAndKeepsTheEditedNamesInMemory) {
    tables.exec(
        "CREATE TRIGGER refuse BEFORE UPDATE ON 内訳 WHEN NEW.内訳ＩＤ = 3 BEGIN "
        "SELECT RAISE(ABORT, 'refused'); END;");
    tree.Tv_Kaiso_NodeClick(nodeOf("2"));
    rows.fnCollectPageNameRows(tree, false);
    EXPECT_FALSE(rows.write(Names{"新建築", "新設備"}));
    // 3010, then the engine's cause on a line of its own.
    EXPECT_EQ(testing::shownTexts(tables.messages()),
              (testing::Shown{"3010|内訳の書き込み||Cmd_Print_Click", "0|||"}));
    EXPECT_EQ(tables.messages().messages().back().text, tables.file() + ": refused");
    EXPECT_EQ(stored(2), "建築");
    EXPECT_EQ(stored(3), "設備");
    EXPECT_EQ(inMemory(2), "新建築");
    EXPECT_EQ(inMemory(3), "新設備");
}

}  // namespace
}  // namespace omrix::print
