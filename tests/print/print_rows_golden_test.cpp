// CHANGE DETECTOR, not a statement of what is right: the print rows of one demo
// breakdown against a CSV snapshot the program itself once wrote (kept beside this
// file). It flags any change in the rows; whether a change is right is for the
// hand-worked cases of print_rows_test to say. After a deliberate change, look at the
// difference, then OMRIX_UPDATE_GOLDEN=1 writes the snapshot afresh.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "breakdown/omrix_dbt_uchiwake_name.h"
#include "breakdown/uchiwake_loader.h"
#include "context/app_context.h"
#include "data/table_database.h"
#include "demo/demo_database.h"
#include "level_tree/level_tree_model.h"
#include "print/print_rows_generator.h"
#include "print/print_rows_write.h"
#include "project/bukken_hensu.h"

namespace omrix::print {
namespace {

using context::appContext;

struct GoldenCase {
    const char* name;
    uint32_t seed;
    int32_t lines;
    const char* printType;
    int16_t pageStart = 1;
    int16_t pageType = 1;
    int16_t ditto = 0;
    int16_t onlySuryo = 0;
    int16_t besshiPrint = 0;
    int16_t besshiMode = 1;
    int16_t tsuban = 0;
    int32_t untickedNode = 0;  // index of a node cleared with its branch; 0: all ticked
};

// Many options at once, so that the one snapshot covers much of the row conversion.
const GoldenCase kCases[] = {
    {"demo150_internal_names_ditto_sheets", 1, 150, "A4(社内確認用)", 3, 2, 1, 0, 1, 1, 0},
};

void PrintTo(const GoldenCase& c, std::ostream* out) {
    *out << c.name;
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string csv(const PrintRows& rows) {
    std::ostringstream out;
    out << "内訳出力ＩＤ,頁番号,表示頁番号,表示No,種別フラグ,表示番号名称,名称１,名称２,名称３,"
           "名称４,仕様１,仕様２,仕様３,仕様４,単位名称,内訳数量,見積１単価,見積１金額,見積２単価,"
           "見積２金額,見積３単価,見積３金額,見積４単価,見積４金額,提出用単価,提出用金額,頁名称,"
           "数量計算式,単価計算式,社内備考,社外備考\n";
    for (const PrintRow& r : rows) {
        out << r.内訳出力ＩＤ << ',' << r.頁番号 << ',' << r.表示頁番号 << ',' << r.表示No << ','
            << r.種別フラグ;
        for (std::string_view text :
             {r.表示番号名称.trimmedRight(), r.名称１.trimmedRight(), r.名称２.trimmedRight(),
              r.名称３.trimmedRight(), r.名称４.trimmedRight(), r.仕様１.trimmedRight(),
              r.仕様２.trimmedRight(), r.仕様３.trimmedRight(), r.仕様４.trimmedRight(),
              r.単位名称.trimmedRight(), r.内訳数量.trimmedRight()}) {
            out << ',' << csvField(text);
        }
        for (Currency c : {r.見積１単価, r.見積１金額, r.見積２単価, r.見積２金額, r.見積３単価,
                           r.見積３金額, r.見積４単価, r.見積４金額, r.提出用単価, r.提出用金額}) {
            out << ',' << c.toString();
        }
        for (std::string_view text :
             {r.頁名称.trimmedRight(), r.数量計算式.trimmedRight(), r.単価計算式.trimmedRight(),
              r.社内備考.trimmedRight(), r.社外備考.trimmedRight()}) {
            out << ',' << csvField(text);
        }
        out << '\n';
    }
    return out.str();
}

std::string goldenPath(const char* name) {
    const char* top = std::getenv("OMRIX_TEST_SOURCE_DIR");
    return std::string(top != nullptr ? top : ".") + "/tests/print/golden/" + name + ".csv";
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class PrintRowsGolden : public ::testing::TestWithParam<GoldenCase> {
  protected:
    // The demo written, its breakdown loaded and recalculated as start-up does it,
    // the level tree built and ticked.
    void load(const GoldenCase& c) {
        ASSERT_TRUE(t.ok()) << t.error();
        demo::DemoOptions demoOptions;
        demoOptions.seed = c.seed;
        demoOptions.lines = c.lines;
        demo::DemoSummary summary;
        std::string error;
        ASSERT_TRUE(demo::createDemoDatabase(t.db(), demoOptions, summary, error)) << error;
        auto& context = appContext();
        ASSERT_TRUE(breakdown::fnOmrix_DBT_UchiwakeName_SelectByID(demo::kDemoUchiwakeNameId,
                                                                   context.UchiwakeName));
        context.UchiwakeNameID = context.UchiwakeName.内訳名称ＩＤ;
        context.UchiwakeRoot = breakdown::fnLoadUchiwake();
        ASSERT_TRUE(context.UchiwakeRoot);
        ASSERT_TRUE(
            project::fnOmrix_DBT_BukkenHensu_Select(demo::kDemoBukkenNo, context.BukkenHensu));
        context.UchiwakeRoot->sbMoneyReCalc();
        // The recalculated total is the one the demo priced: the breakdown is whole.
        ASSERT_EQ(context.UchiwakeRoot->prUchiwakeRec().提出用金額, summary.total);
        tree.sbCreateTree(context.UchiwakeRoot.get(), 0);
        ASSERT_GT(tree.count(), 1);
        tree.Tv_Kaiso_NodeCheck(1, true);
        if (c.untickedNode != 0) tree.Tv_Kaiso_NodeCheck(c.untickedNode, false);
    }

    static PrintOptionRec optionsOf(const GoldenCase& c) {
        PrintOptionRec o;
        o.nPrintJunjo = kPrintJunjoToDown;
        o.nPageStart = c.pageStart;
        o.nPageType = c.pageType;
        o.nChofukuShoryaku = c.ditto;
        o.nOnlySuryo = c.onlySuryo;
        o.nBesshiPrint = c.besshiPrint;
        o.nBesshiMode = c.besshiMode;
        o.nPageTsuban = c.tsuban;
        EXPECT_TRUE(sbSetPrintType(o, c.printType));
        return o;
    }

    testing::TableDatabase t;
    level_tree::LevelTreeModel tree;
};

TEST_P(PrintRowsGolden, MatchesSnapshotAndWritesEveryRow) {
    const GoldenCase& c = GetParam();
    load(c);
    PrintRows rows;
    ASSERT_TRUE(fnCreatePrintRows(optionsOf(c), rows, tree));
    const std::string actual = csv(rows);

    const std::string path = goldenPath(c.name);
    if (std::getenv("OMRIX_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(path, std::ios::binary) << actual;
        GTEST_SKIP() << "wrote " << path;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path << " is missing; run with OMRIX_UPDATE_GOLDEN=1 to make it";
    std::stringstream expected;
    expected << in.rdbuf();
    const auto want = linesOf(expected.str());
    const auto got = linesOf(actual);
    for (std::size_t i = 0; i < std::min(want.size(), got.size()); ++i) {
        ASSERT_EQ(got[i], want[i]) << c.name << ".csv line " << i + 1;
    }
    ASSERT_EQ(got.size(), want.size()) << c.name;

    ASSERT_TRUE(fnOmrix_Print_Print_CreatePrintUchiwakeInf(rows));
    EXPECT_EQ(
        t.count("内訳出力 Where 内訳名称ＩＤ = " + std::to_string(appContext().UchiwakeNameID)),
        static_cast<int64_t>(rows.size()));
    EXPECT_TRUE(t.messages().messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Demo, PrintRowsGolden, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace omrix::print
