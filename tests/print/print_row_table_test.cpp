#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "breakdown/tables/progress_bar.h"
#include "context/app_context.h"
#include "context/fresh_context.h"
#include "data/core/database.h"
#include "data/table_database.h"
#include "print/numbered_rows.h"
#include "print/print_row.h"
#include "print/print_row_table.h"

namespace omrix::print {
namespace {

using namespace std::string_literals;
using context::appContext;

PrintRows makeRows(int count, int32_t nameId, std::string_view name = "型枠") {
    return testing::numberedRows(count, nameId, name);
}

int statementsIn(std::string_view sql) {
    int n = 0;
    for (std::size_t at = 0; (at = sql.find("Insert Into", at)) != std::string_view::npos; ++at)
        ++n;
    return n;
}

class PrintRowTable : public testing::TablesTest {
  protected:
    // Forwards to the real connection and notes the statements of every command.
    ExecuteText counting() {
        return [this](std::string_view sql) {
            commands.push_back(statementsIn(sql));
            return t.db().fnExecute(sql);
        };
    }
    int64_t live(int32_t nameId) {
        return t.count("内訳出力 Where 削除区分 = '0' And 内訳名称ＩＤ = " +
                       std::to_string(nameId));
    }

    std::vector<int> commands;
};

TEST(PrintRowInsert, ExactStatementWithCutsBeforeDoubling) {
    testing::FreshContext fresh;
    appContext().TantoshaName = "tanaka";
    PrintRow r;
    r.内訳名称ＩＤ = 12;
    r.内訳出力ＩＤ = 345;
    r.表示番号名称 = "'あいうえおかきく";  // 17 bytes: the last character goes whole
    r.名称１ = "O'Neil";
    r.名称２ = "ab\0'); Delete From 内訳出力; --"s;
    r.仕様１ = std::string(70, '\'');
    r.頁名称 = "あいうえおかき'x";  // exactly 16 bytes: kept, no blank after it
    r.内訳数量 = "       1,234.500";
    r.見積１単価 = *Currency::parse("-1234.5678");
    r.提出用金額 = *Currency::parse("0.0001");
    r.表示No = 15, r.頁番号 = 3, r.表示頁番号 = -2;
    r.使用メーカー名 = util::FixedTextStorage(std::string(45, 'M'));
    const std::string sql = BuildPrintRowInsert(r);
    EXPECT_NE(sql.find("GetDate(), 'tanaka', '', 0, '0', 12, 345, '''あいうえおかき', "),
              std::string::npos);
    EXPECT_NE(sql.find("'O''Neil" + std::string(58, ' ') + "', 'ab', "), std::string::npos);
    EXPECT_NE(sql.find("'" + std::string(132, '\'') + "', "), std::string::npos);
    EXPECT_NE(
        sql.find("-1234.5678, 0, 0, 0, 0, 0, 0, 0, 0, 0.0001, 15, 3, -2, 'あいうえおかき''x', "),
        std::string::npos);
    EXPECT_NE(sql.find(", 0, '', '" + std::string(40, 'M') + "', '');"), std::string::npos);
}

TEST_F(PrintRowTable, HundredAndOneRowsAreTwoCommands) {
    PrintRows rows = makeRows(101, 7);
    rows[100].名称１ = "最後の'行";
    data::Transaction transaction(t.db());  // as the print run writes them
    ASSERT_TRUE(sendPrintRowBatches(rows, counting()));
    EXPECT_EQ(commands, (std::vector<int>{100, 1}));
    EXPECT_EQ(live(7), 101);

    EXPECT_EQ(t.value("Select 表示No || '|' || 提出用金額 From 内訳出力 Where 内訳出力ＩＤ = 101"),
              "11|1100");
    EXPECT_EQ(t.value("Select 名称１ From 内訳出力 Where 内訳出力ＩＤ = 101"),
              "最後の'行" + std::string(55, ' '));  // padded to 64 bytes
    EXPECT_EQ(t.value("Select 更新操作者 From 内訳出力 Where 内訳出力ＩＤ = 1"), "tester");

    commands.clear();
    ASSERT_TRUE(sendPrintRowBatches(makeRows(200, 8), counting()));
    EXPECT_EQ(commands, (std::vector<int>{100, 100}));
    EXPECT_TRUE(transaction.commit());
}

TEST_F(PrintRowTable, ProgressStopsOneShortAndEventsRunAfterEveryRow) {
    breakdown::ProgressBar bar;
    bar.setMaximum(7);
    struct Idling : util::Progress {
        bool advance(int64_t, int64_t) override { return true; }
        void idle() override { ++pumped; }
        int pumped = 0;
    } idling;
    InsertProgress progress{.bar = &bar, .step = 1.0, .shown = &idling};
    ASSERT_TRUE(InsertPrintRows(makeRows(7, 3), true, progress));
    EXPECT_EQ(bar.value(), 6);
    EXPECT_EQ(idling.pumped, 7);

    bar.setValue(0);
    progress.step = 3.0;
    ASSERT_TRUE(InsertPrintRows(makeRows(7, 4), true, progress));
    EXPECT_EQ(bar.value(), 6);  // 9 would pass the maximum
}

TEST_F(PrintRowTable, RefusedRowPartWayFailsAndTheCallerKeepsTheOldRows) {
    ASSERT_TRUE(InsertPrintRows(makeRows(3, 7, "前回"), true));
    t.exec("Create Unique Index ＵＸ_出力行 On 内訳出力 (内訳名称ＩＤ, 内訳出力ＩＤ);");
    PrintRows rows = makeRows(250, 7, "今回");
    rows[149].内訳出力ＩＤ = 149;  // collides inside the second command

    ASSERT_NE(t.db().fnBeginTrans(), 0);
    ASSERT_TRUE(ClearPrintRows(7));
    EXPECT_FALSE(sendPrintRowBatches(rows, counting()));
    EXPECT_EQ(commands, (std::vector<int>{100, 100}));  // the third is never sent
    ASSERT_TRUE(t.db().fnRollBackTrans());
    EXPECT_EQ(live(7), 3);

    // On its own the insert undoes its own rows.
    for (PrintRow& r : rows) r.内訳名称ＩＤ = 9;
    EXPECT_FALSE(InsertPrintRows(rows, true));
    EXPECT_EQ(live(9), 0);
    EXPECT_EQ(t.value("Select 名称１ From 内訳出力 Where 内訳名称ＩＤ = 7 And 内訳出力ＩＤ = 1"),
              "前回1" + std::string(59, ' '));
    EXPECT_EQ(t.db().fnBeginTrans(), 1);  // nothing left open
    t.db().fnRollBackTrans();
}

}  // namespace
}  // namespace omrix::print
