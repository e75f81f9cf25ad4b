#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "context/app_context.h"
#include "data/core/database.h"
#include "data/table_database.h"
#include "platform/shown_messages.h"
#include "print/numbered_rows.h"
#include "print/print_row_table.h"
#include "print/print_rows_write.h"
#include "util/progress.h"
#include "util/text.h"

namespace omrix::print {
namespace {

using context::appContext;

class RecordingProgress : public util::Progress {
  public:
    void showCaption(std::string_view caption) override {
        if (!caption.empty()) captions.emplace_back(caption);
        captionShown = !caption.empty();
    }
    bool advance(int64_t, int64_t of) override {
        countShown = true;
        total = of;
        return true;
    }
    void hideCount() override { countShown = false; }
    void idle() override { ++events; }

    std::vector<std::string> captions;
    bool captionShown = false;
    bool countShown = false;
    int64_t total = 0;
    int events = 0;
};

class PrintRowsWrite : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(t.ok()) << t.error();
        appContext().UchiwakeNameID = 7;
        ASSERT_TRUE(InsertPrintRows(testing::numberedRows(40, 7, "前回"), true));
        ASSERT_TRUE(InsertPrintRows(testing::numberedRows(5, 8, "他"), true));
    }

    // The stored rows of a breakdown, one text per row in 内訳出力ＩＤ order.
    std::vector<std::string> stored(int32_t nameId) {
        std::vector<std::string> out;
        auto rs = t.db().fnOpenRecordSet(
            "Select 内訳出力ＩＤ, 名称１, 頁番号, 表示No, 提出用金額 From 内訳出力 Where "
            "内訳名称ＩＤ = " +
            std::to_string(nameId) + " Order By 内訳出力ＩＤ");
        EXPECT_TRUE(rs);
        if (!rs) return out;
        for (; !rs->pbEOF(); rs->fnMoveNext()) {
            out.push_back(std::to_string(rs->fnGetInt(0)) + "|" +
                          std::string(util::trimBlanksRight(rs->fnGetChar(1))) + "|" +
                          std::to_string(rs->fnGetInt(2)) + "|" + std::to_string(rs->fnGetInt(3)) +
                          "|" + rs->fnGetMoney(4).toString());
        }
        return out;
    }

    testing::TableDatabase t;
    RecordingProgress progress;
};

TEST_F(PrintRowsWrite, ReplacesTheRowsOfThisBreakdownOnly) {
    const auto others = stored(8);
    const PrintRows rows = testing::numberedRows(230, 7, "新");
    ASSERT_TRUE(fnOmrix_Print_Print_CreatePrintUchiwakeInf(rows, &progress));
    const auto now = stored(7);
    ASSERT_EQ(now.size(), 230u);
    EXPECT_EQ(now.front(), "1|新1|1|1|1000");
    EXPECT_EQ(now.back(), "230|新230|16|5|1229");
    EXPECT_EQ(stored(8), others);
    EXPECT_TRUE(t.messages().messages().empty());

    EXPECT_EQ(progress.captions, std::vector<std::string>{"内訳情報を書き込んでいます・・・"});
    EXPECT_FALSE(progress.captionShown || progress.countShown);
    EXPECT_EQ(std::tuple(progress.total, progress.events), std::tuple(230, 230));
}

// Counts the rows of breakdown 7 at the moment the message shows.
class CountingSink : public platform::RecordingSink {
  public:
    explicit CountingSink(data::CCCDBS_DataBase& db) : db_(db) {}
    int16_t show(const platform::ShownMessage& message) override {
        auto rs = db_.fnOpenRecordSet("Select Count(*) From 内訳出力 Where 内訳名称ＩＤ = 7");
        rowsSeen.push_back(rs ? rs->fnGetInt(0) : -1);
        return RecordingSink::show(message);
    }
    std::vector<int32_t> rowsSeen;

  private:
    data::CCCDBS_DataBase& db_;
};

// A refused delete or insert is reported while its transaction is still open (the
// user sees the half-done state), then undone; a refused commit has been undone by
// the time it is reported. Either way the previous rows stay and nothing is left open.
TEST_F(PrintRowsWrite, RefusedStepIsReportedAndThePreviousRowsStay) {
    struct Case {
        const char* what;
        std::vector<const char*> refusal;  // SQL run before the write
        const char* step;                  // text 1 of message 3010
        int32_t rowsSeen;                  // rows of breakdown 7 while the message shows
        int events;                        // progress events before the refusal
        const char* cause;                 // the engine's reason, on a line of its own
    };
    const Case cases[] = {
        {"delete refused",
         {"CREATE TRIGGER refuse BEFORE DELETE ON 内訳出力 BEGIN SELECT RAISE(ABORT, 'kept'); END"},
         "内訳出力の削除",
         40,
         0,
         "kept"},
        // The batch of rows 101–200 holding row 150 is built whole, then refused: 149 rows in.
        {"insert of row 150 refused",
         {"CREATE TRIGGER refuse BEFORE INSERT ON 内訳出力 WHEN NEW.内訳名称ＩＤ = 7 AND "
          "NEW.内訳出力ＩＤ = 150 BEGIN SELECT RAISE(ABORT, 'refused'); END"},
         "内訳出力の書き込み",
         149,
         200,
         "refused"},
        // A deferred key is checked only at the commit.
        {"commit refused",
         {"PRAGMA foreign_keys = ON", "CREATE TABLE 親(id INTEGER PRIMARY KEY)",
          "CREATE TABLE 子(p INTEGER REFERENCES 親(id) DEFERRABLE INITIALLY DEFERRED)",
          "CREATE TRIGGER refuse AFTER INSERT ON 内訳出力 WHEN NEW.内訳出力ＩＤ = 1 "
          "BEGIN INSERT INTO 子 VALUES (99); END"},
         "内訳出力の書き込み",
         40,
         230,
         "FOREIGN KEY constraint failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(
            fnOmrix_Print_Print_CreatePrintUchiwakeInf(testing::numberedRows(40, 7, "前回")));
        const auto before = stored(7);
        auto sink = std::make_shared<CountingSink>(t.db());
        appContext().Messages = sink;
        for (const char* sql : c.refusal) t.exec(sql);
        RecordingProgress shown;
        EXPECT_FALSE(fnOmrix_Print_Print_CreatePrintUchiwakeInf(testing::numberedRows(230, 7, "新"),
                                                                &shown));
        ASSERT_EQ(sink->messages().size(), 2u);
        EXPECT_EQ(testing::shownTexts(*sink)[0],
                  "3010|" + std::string(c.step) + "||fnOmrix_Print_Print_CreatePrintUchiwakeInf");
        const std::string& line = sink->messages()[1].text;
        EXPECT_EQ(line.substr(line.find(": ") + 2), c.cause) << line;
        EXPECT_EQ(sink->rowsSeen, (std::vector<int32_t>{c.rowsSeen, c.rowsSeen}));
        EXPECT_EQ(stored(7), before);
        EXPECT_FALSE(shown.captionShown || shown.countShown);
        EXPECT_EQ(shown.events, c.events);

        t.exec("DROP TRIGGER refuse");
        ASSERT_TRUE(fnOmrix_Print_Print_CreatePrintUchiwakeInf(testing::numberedRows(3, 7, "次")));
        EXPECT_EQ(stored(7).size(), 3u);
    }
}

// The delete runs while the rows are made; a run that ends before its rows are made
// (cancelled, say) leaves the previous rows and no transaction open, and a write may
// follow at once.
TEST_F(PrintRowsWrite, AWriteAbandonedBeforeItsRowsKeepsThePreviousRows) {
    const auto before = stored(7);
    ASSERT_EQ(before.size(), 40u);
    { PrintRowsWriter abandoned(t.db(), 7); }
    EXPECT_EQ(stored(7), before);
    EXPECT_EQ(t.db().fnBeginTrans(), 1);  // none left open beneath
    EXPECT_TRUE(t.db().fnRollBackTrans());
    EXPECT_EQ(stored(8).size(), 5u);
    PrintRowsWriter writer(t.db(), 7);
    const PrintRows rows = testing::numberedRows(3, 7, "次");
    ASSERT_TRUE(writer.finish(rows));
    EXPECT_EQ(stored(7).size(), 3u);
    EXPECT_EQ(stored(8).size(), 5u);
    EXPECT_TRUE(t.messages().messages().empty());
}

TEST_F(PrintRowsWrite, NoRowsClearsWithoutProgressAndNoDatabaseFails) {
    ASSERT_TRUE(fnOmrix_Print_Print_CreatePrintUchiwakeInf({}, &progress));
    EXPECT_TRUE(stored(7).empty());
    EXPECT_EQ(stored(8).size(), 5u);
    EXPECT_TRUE(progress.captions.empty());

    appContext().Database.reset();
    EXPECT_FALSE(
        fnOmrix_Print_Print_CreatePrintUchiwakeInf(testing::numberedRows(2, 7, "x"), &progress));
    EXPECT_EQ(testing::shownTexts(t.messages()),
              testing::Shown{"3010|内訳出力の削除||fnOmrix_Print_Print_CreatePrintUchiwakeInf"});
}

}  // namespace
}  // namespace omrix::print
