// The print run over a demo database: order of the outputs, the page-name question, the
// re-read. What the exports show of a run (nothing ticked, a failing output) is tested
// with the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/demo_startup.h"
#include "app/startup_sequence.h"
#include "context/app_context.h"
#include "data/table_database.h"
#include "demo/demo_database.h"
#include "level_tree/level_tree_model.h"
#include "print/print_run.h"

namespace omrix::print {
namespace {

using context::appContext;
using omrix::testing::startOnDemo;

class FakeUi : public PrintUi {
  public:
    void closeViewers() override { log.push_back("close"); }
    bool collectChoices(PrintRunChoices& out) override {
        log.push_back("choices");
        out = choices;
        return choicesReadable;
    }
    void focusLevelTree() override { log.push_back("focus"); }
    void showPageNameWindow() override { log.push_back("pagenames"); }
    void setBusy(bool busy) override { this->busy = busy; }

    PrintRunChoices choices;
    bool choicesReadable = true;
    bool busy = false;
    std::vector<std::string> log;
};

// Stands in for the report objects: records each launch and fails where told.
class FakeLaunches : public ReportLaunches {
  public:
    explicit FakeLaunches(FakeUi& ui) : ui_(ui) {}
    bool showUchiwake(const PrintOptionRec& options, int32_t nameId) override {
        statementOptions = options;
        statementNameId = nameId;
        return launch("uchiwake");
    }
    bool showYoukou(std::string_view, std::string_view, std::string_view company) override {
        youkouCompany = company;
        return launch("youkou");
    }
    bool showGaiyou(std::string_view) override { return launch("gaiyou"); }
    bool showDaika(int32_t) override { return launch("daika"); }
    void chooseStatement(const PrintOptionRec&) override { ui_.log.push_back("choose"); }

    PrintOptionRec statementOptions;
    int32_t statementNameId = 0;
    std::string youkouCompany;

  private:
    bool launch(const std::string& name) {
        ui_.log.push_back(name);
        return true;
    }
    FakeUi& ui_;
};

class PrintRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startOnDemo(tables, 120, "-B:00000001 -H:01"));
        tree.sbCreateTree(appContext().UchiwakeRoot.get(), 0);
        ASSERT_GT(tree.count(), 1);

        ui.choices.options.nPrintJunjo = kPrintJunjoToDown;
        ui.choices.options.nPageType = kPageTypeOnlyNum;
        ui.choices.options.nPageStart = 1;
        sbSetPrintType(ui.choices.options, "B5");
        ui.choices.uchiwake = ui.choices.youkou = ui.choices.gaiyou = ui.choices.daika = true;
    }

    void tickAll() { tree.Tv_Kaiso_NodeCheck(1, true); }
    std::vector<std::string> launched() const {
        std::vector<std::string> names;
        for (const auto& entry : ui.log) {
            if (entry == "uchiwake" || entry == "youkou" || entry == "gaiyou" || entry == "daika")
                names.push_back(entry);
        }
        return names;
    }

    testing::TableDatabase tables;
    level_tree::LevelTreeModel tree;
    FakeUi ui;
    FakeLaunches launches{ui};
};

using Names = std::vector<std::string>;

TEST_F(PrintRun, OutputsInFixedOrderAfterClosingTheViewersUnreadableChoicesNone) {
    tickAll();
    ui.choices.companyText = " 会社  ";
    PrintRunResult result = fnRunPrint(ui, launches, tree);
    EXPECT_EQ(result.end, PrintRunEnd::Completed);
    EXPECT_EQ(ui.log.front(), "close");
    EXPECT_EQ(launched(), (Names{"uchiwake", "youkou", "gaiyou", "daika"}));
    EXPECT_EQ(result.produced.size(), 4u);
    EXPECT_GT(tables.count("内訳出力"), 0);
    EXPECT_EQ(launches.statementOptions.sReportFile, "OMRIX_PRINT_B5UCHIWAKESHO.RPT");
    // The summary gets the company text as typed.
    EXPECT_EQ(launches.youkouCompany, " 会社  ");
    EXPECT_FALSE(ui.busy);
    EXPECT_TRUE(tables.messages().messages().empty());

    // Choices that cannot be read end the run silently.
    ui.log.clear();
    ui.choicesReadable = false;
    EXPECT_EQ(fnRunPrint(ui, launches, tree).end, PrintRunEnd::Choices);
    EXPECT_TRUE(launched().empty());
    EXPECT_TRUE(tables.messages().messages().empty());
    EXPECT_FALSE(ui.busy);
}

TEST_F(PrintRun, PageNameQuestionDependsOnTypeAndRights) {
    tickAll();
    ui.choices.youkou = ui.choices.gaiyou = ui.choices.daika = false;
    const struct {
        int16_t kengen, pageType, answer;
        Names log;  // empty: not asked
    } cases[] = {
        {0,
         kPageTypeNames,
         platform::kAnswerYes,
         {"close", "choices", "choose", "pagenames", "uchiwake"}},
        {0, kPageTypeNames, platform::kAnswerNo, {"close", "choices", "choose", "uchiwake"}},
        {1, kPageTypeNames, platform::kAnswerYes, {}},  // bit 1: may not change them
        {-1, kPageTypeNames, platform::kAnswerYes, {}},
        {0, kPageTypeOnlyNum, platform::kAnswerYes, {}},
    };
    for (const auto& c : cases) {
        ui.log.clear();
        tables.messages().clear();
        tables.messages().setAnswer(c.answer);
        appContext().Kengen = c.kengen;
        ui.choices.options.nPageType = c.pageType;
        fnRunPrint(ui, launches, tree);
        SCOPED_TRACE(std::to_string(c.kengen) + " " + std::to_string(c.pageType));
        if (c.log.empty()) {
            EXPECT_TRUE(tables.messages().messages().empty());
            continue;
        }
        ASSERT_EQ(tables.messages().messages().size(), 1u);
        EXPECT_EQ(
            tables.messages().messages()[0].title + "|" + tables.messages().messages()[0].text,
            "確認|頁名称の設定を変更しますか？");
        EXPECT_EQ(ui.log, c.log);
    }
}

TEST_F(PrintRun, RereadReplacesTheTreeAndAFailedOneStopsLaterStatements) {
    tickAll();
    ui.choices.reread = true;
    auto before = appContext().UchiwakeRoot;
    EXPECT_EQ(fnRunPrint(ui, launches, tree).end, PrintRunEnd::Completed);
    EXPECT_NE(appContext().UchiwakeRoot, before);

    tables.exec("UPDATE 内訳 SET 削除区分 = '1';");
    ui.log.clear();
    EXPECT_EQ(fnRunPrint(ui, launches, tree).end, PrintRunEnd::Reread);
    EXPECT_FALSE(appContext().UchiwakeRoot);
    EXPECT_TRUE(launched().empty());

    // Without a breakdown the statement cannot print; nothing after it runs.
    ui.choices.reread = false;
    EXPECT_EQ(fnRunPrint(ui, launches, tree).end, PrintRunEnd::Uchiwake);
    EXPECT_TRUE(launched().empty());
}

}  // namespace
}  // namespace omrix::print
