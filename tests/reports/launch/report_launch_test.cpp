// The launches: what each hands its report object, and when it stops; the selection
// formula they set. How a quoted company name prints is the statement test's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "breakdown/ucw_fixture.h"
#include "context/app_context.h"
#include "data/table_database.h"
#include "platform/password_key.h"
#include "level_tree/level_tree_model.h"
#include "print/print_run.h"
#include "print/print_ui.h"
#include "reports/report_fixture.h"
#include "reports/launch/report.h"
#include "reports/launch/report_launch.h"
#include "reports/launch/report_set.h"
#include "reports/engine/selection_formula.h"

namespace omrix::reports {
namespace {

using print::ViewerKind;

// Opens nothing: remembers which viewer was asked for, with which report.
class ViewerLog : public ViewerHost {
  public:
    void closeViewers() override { opened.clear(); }
    bool openViewer(ViewerKind viewer, Report& report) override {
        opened.emplace_back(viewer, &report);
        return viewerWorks;
    }
    std::vector<std::pair<ViewerKind, Report*>> opened;
    bool viewerWorks = true;
};

class ReportLaunch : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tables.ok()) << tables.error();
        testing::writeBytes(tables.iniPath(),
                            "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME= tables.sqlite \n"
                            "USER_NAME= sa \nPASSWORD=" +
                                key.stored("secret") + "\nSQL_DNS=  \n");
        tables.exec(
            "INSERT INTO 金額種類Ｍ (金額種類ＩＤ, 金額種類名称) VALUES (1, '見積１  '), (2, "
            "'見積２');");
    }

    testing::PasswordKey key;
    testing::TableDatabase tables;
    ViewerLog ui;
};

print::PrintOptionRec optionsFor(std::string_view entry, std::string company) {
    print::PrintOptionRec options;
    print::sbSetPrintType(options, entry);
    options.sCompanyName = std::move(company);
    return options;
}

// Each statement type's launch reaches its own design and fills the formula fields that
// design has, and no other.
TEST_F(ReportLaunch, StatementTypesReachTheirDesignAndFillItsFormulaFields) {
    const std::string company = "'株式会社 'オ' ムリクス'";
    const struct {
        std::string_view entry, design;
        std::vector<std::string> fields;  // every field of the design, from field 1
    } cases[] = {
        {"B5", "B5_UCHIWAKESHO", {company}},
        {"A4(横)", "A4YOKOUCHIWAKESHO", {company}},
        {"A4(縦)", "PRINT_A4TATE", {company}},
        // 金額種類 5 is not in the master.
        {"A4(社内確認用)", "PRINTA4YOKO", {"", "", "'見積１'", "'見積２'", "''"}},
        {"A4(計算式)", "PRINT_A4EXP", {""}},
    };
    ASSERT_EQ(std::size(cases), print::printTypes().size());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        auto report = Report::create(print::findPrintType(c.entry)->layout);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->design().name, c.design);
        ASSERT_TRUE(fnShowUchiwakeReport(123, optionsFor(c.entry, "株式会社 'オ' ムリクス  "),
                                         report.get(), ui));
        std::vector<std::string> fields;
        for (int i = 1; i <= report->FormulaFields().Count(); ++i)
            fields.push_back(report->FormulaFields().Item(i).text);
        EXPECT_EQ(fields, c.fields);
        EXPECT_EQ(report->RecordSelectionFormula, "{内訳出力.内訳名称ＩＤ} = 123");
        EXPECT_EQ(report->Database().Tables().Item(1).Location, "内訳出力");
        EXPECT_TRUE(report->FormulaFields().misuse().empty());
    }
    ASSERT_EQ(ui.opened.size(), std::size(cases));
    EXPECT_EQ(ui.opened[0].first, ViewerKind::Uchiwakesho);
}

TEST_F(ReportLaunch, LogOnComesTrimmedFromTheIniWithThePasswordDeciphered) {
    auto report = Report::create("PRINT_DAIKA");
    ASSERT_TRUE(fnShowDaikaReport(77, *report, ui));
    const LogOnInfo& logOn = report->Database().Tables().Item(1).logOnInfo();
    EXPECT_EQ(logOn, (LogOnInfo{"", "sa", "secret", "tables.sqlite"}));
    EXPECT_FALSE(report->Database().Tables().Item(2).hasLogOnInfo());
    EXPECT_EQ(report->RecordSelectionFormula, "{代価表.内訳名称ＩＤ} = 77");
    // Read with the 128-byte reader: a long value is cut at 127 characters.
    const std::string longUser(130, 'u');
    testing::writeBytes(tables.iniPath(), "[DATABASE]\nUSER_NAME=" + longUser + "\n");
    EXPECT_EQ(fnReadReportLogOn().user, longUser.substr(0, 127));
    ASSERT_EQ(ui.opened.size(), 1u);
    EXPECT_EQ(ui.opened[0], std::make_pair(ViewerKind::Daika, report.get()));
}

// The two sheets need their row: without it 3010 names what was read and nothing shows.
TEST_F(ReportLaunch, SheetsNeedTheirRowAndTheSummaryCarriesTheCompany) {
    auto gaiyou = Report::create("PRINT_GAIYOU");
    auto youkou = Report::create("PRINT_YOUKOU");
    EXPECT_FALSE(fnShowGaiyouReport("00000001", *gaiyou, ui));
    EXPECT_FALSE(fnShowYoukouReport("00000001", "01", "会社", *youkou, ui));
    std::string shown;
    for (const auto& m : tables.messages().messages())
        shown += std::to_string(m.number) + " " + m.params[0] + "; ";
    EXPECT_EQ(shown, "3010 工事概要の取得; 3010 物件見積要項の取得; ");

    tables.exec(
        "INSERT INTO 物件概要 (物件概要ＩＤ, 物件No) VALUES (41, '00000001');"
        "INSERT INTO 物件見積要項 (物件見積要項ＩＤ, 物件No, 版No) VALUES (8, '00000001', '01');");
    EXPECT_TRUE(fnShowGaiyouReport("00000001", *gaiyou, ui));
    EXPECT_EQ(gaiyou->RecordSelectionFormula, "{物件概要.物件概要ＩＤ} = 41");
    EXPECT_TRUE(fnShowYoukouReport("00000001", "01", "  株式会社'X'  ", *youkou, ui));
    EXPECT_EQ(youkou->RecordSelectionFormula, "{物件見積要項.物件見積要項ＩＤ} = 8");
    EXPECT_EQ(youkou->FormulaFields().Item(1).text, "'  株式会社'X''");
    EXPECT_EQ(ui.opened.size(), 2u);
}

// An unknown type names itself and fills no field; the run's statement follows the
// recognised types only; no report, or a viewer that fails, shows nothing.
TEST_F(ReportLaunch, UnknownTypesAndMissingViewers) {
    ReportSet set(ui);
    set.chooseStatement(optionsFor("A4(縦)", ""));
    Report* tate = set.statement();
    ASSERT_NE(tate, nullptr);
    EXPECT_EQ(tate->design().name, "PRINT_A4TATE");
    // Full-width brackets make another name, which no design has.
    print::PrintOptionRec unknown = optionsFor("A4（縦）", "会社");
    set.chooseStatement(unknown);
    EXPECT_EQ(set.statement(), tate);
    ASSERT_TRUE(fnShowUchiwakeReport(1, unknown, tate, ui));
    EXPECT_EQ(tate->FormulaFields().Item(1).text, "");
    EXPECT_FALSE(fnShowUchiwakeReport(1, unknown, nullptr, ui));
    ASSERT_EQ(tables.messages().messages().size(), 1u);
    EXPECT_EQ(tables.messages().messages()[0].text, "出力様式「A4（縦）」の帳票がありません。");
    ui.viewerWorks = false;
    EXPECT_FALSE(set.showDaika(1));
}

// The launch forms, blanks of either width around each part, the 32-bit bounds; any
// other form is refused naming the formula and leaves the result as it was.
TEST(SelectionFormula, AcceptsTheLaunchFormsOnlyNamingWhatItRefuses) {
    const struct {
        std::string_view text, parsed;  // parsed: table.column=value, "" when refused
    } cases[] = {
        {"  { 物件概要 . 物件概要ＩＤ }\t=\t 42  ", "物件概要.物件概要ＩＤ=42"},
        {"\u3000{代価表.内訳名称ＩＤ}=\u30009\u3000", "代価表.内訳名称ＩＤ=9"},
        {"{T.c} = +2147483647", "T.c=2147483647"},
        {"{T.col_1} = -2147483648", "T.col_1=-2147483648"},
        {"", ""},
        {"{.内訳名称ＩＤ} = 1", ""},
        {"{内訳出力.内訳名称ＩＤ} = 1 And {内訳出力.表示No} = 2", ""},
        {"{内訳出力.内訳名称ＩＤ} = 1; Delete From 内訳", ""},
        {"{内訳出力.内訳名称ＩＤ} <> 1", ""},
        {"{内訳出力.内訳名称ＩＤ} = '1'", ""},
        {"{内訳出力.内訳名称ＩＤ} = +-1", ""},
        {"{内訳出力.内訳名称ＩＤ} = 2147483648", ""},
        {"{内訳出力.内訳名称ＩＤ)--} = 1", ""},
        {"{a.b.c} = 1", ""},
    };
    for (const auto& c : cases) {
        auto parsed = parseSelectionFormula(c.text);
        EXPECT_EQ(parsed.ok(), !c.parsed.empty()) << c.text;
        if (parsed) {
            EXPECT_EQ(parsed->table + "." + parsed->column + "=" + std::to_string(parsed->value),
                      c.parsed);
        } else {
            const std::string error = parsed.failure().text();
            EXPECT_NE(error.find("\"" + std::string(c.text) + "\""), std::string::npos) << error;
        }
    }
}

// Writes every opened statement to a PDF and keeps its text.
class PdfViewers : public ViewerLog, public print::PrintUi {
  public:
    explicit PdfViewers(omrix::testing::ReportDatabase& db) : db_(db) {}
    void closeViewers() override { ViewerLog::closeViewers(); }
    bool collectChoices(print::PrintRunChoices&) override { return true; }
    void showPageNameWindow() override {}
    bool openViewer(ViewerKind viewer, Report& report) override {
        ViewerLog::openViewer(viewer, report);
        std::string path = db_.pdf(report, "statement" + std::to_string(opened.size()) + ".pdf");
        texts.push_back(path.empty() ? std::string() : omrix::testing::pdfText(path));
        return !path.empty();
    }
    std::vector<std::string> texts;

  private:
    omrix::testing::ReportDatabase& db_;
};

// Two breakdowns of one database printed one after the other while the program's own
// values still name the first: each statement holds its own lines and no other.
using BreakdownStatements = omrix::testing::ReportTest;

TEST_F(BreakdownStatements, TwoBreakdownsOfOneDatabaseEachPrintTheirOwnLines) {
    db.addBreakdown(1, "00000001", "一号棟");
    db.addBreakdown(2, "00000002", "二号棟");
    context::appContext().UchiwakeNameID = 1;
    print::PrintOptionRec options;
    options.nPageStart = 1;
    options.nPageType = print::kPageTypeOnlyNum;
    options.nBesshiMode = print::kBesshiAndAll;
    ASSERT_TRUE(print::sbSetPrintType(options, "B5"));
    PdfViewers ui(db);
    ReportSet set(ui);
    set.chooseStatement(options);
    const std::string names[] = {"一号棟の基礎", "二号棟の屋根"};
    for (int32_t nameId : {1, 2}) {
        auto root = omrix::testing::buildTree(
            {omrix::testing::line(1, 0, 0, 0, "本体"),
             omrix::testing::line(2, 1, breakdown::kFlagMeisai, 1, names[nameId - 1])});
        level_tree::LevelTreeModel tree;
        tree.sbCreateTree(root.get(), 0);
        ASSERT_TRUE(print::printUchiwake(
            {.db = &db.tables.db(), .root = root.get(), .uchiwakeNameId = nameId}, options, ui,
            set, tree));
    }
    ASSERT_EQ(ui.texts.size(), 2u);
    EXPECT_NE(ui.texts[0].find(names[0]), std::string::npos) << ui.texts[0];
    EXPECT_EQ(ui.texts[0].find(names[1]), std::string::npos);
    EXPECT_NE(ui.texts[1].find(names[1]), std::string::npos) << ui.texts[1];
    EXPECT_EQ(ui.texts[1].find(names[0]), std::string::npos);
}

}  // namespace
}  // namespace omrix::reports
