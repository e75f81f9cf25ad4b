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

#include "app/demo_startup.h"
#include "context/app_context.h"
#include "data/table_database.h"
#include "level_tree/level_tree_model.h"
#include "print/print_rows_generator.h"
#include "print/print_rows_write.h"

namespace omrix::print {
namespace {

using context::appContext;

constexpr const char* kSnapshot = "demo150_internal_names_ditto_sheets";

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

// The 150-line demo written and the program started on it (the breakdown loaded and
// recalculated), the whole level tree ticked.
void loadDemo(testing::TableDatabase& t, level_tree::LevelTreeModel& tree) {
    ASSERT_NO_FATAL_FAILURE(testing::startOnDemo(t, 150, "-B:00000001 -H:01"));
    tree.sbCreateTree(appContext().UchiwakeRoot.get(), 0);
    ASSERT_GT(tree.count(), 1);
    tree.Tv_Kaiso_NodeCheck(1, true);
}

// Many options at once, so that the one snapshot covers much of the row conversion.
PrintOptionRec snapshotOptions() {
    PrintOptionRec o;
    o.nPrintJunjo = kPrintJunjoToDown;
    o.nPageStart = 3;
    o.nPageType = 2;
    o.nChofukuShoryaku = 1;
    o.nBesshiPrint = 1;
    o.nBesshiMode = 1;
    EXPECT_TRUE(sbSetPrintType(o, "A4(社内確認用)"));
    return o;
}

TEST(PrintRowsGolden, DemoMatchesSnapshotAndWritesEveryRow) {
    testing::TableDatabase t;
    level_tree::LevelTreeModel tree;
    loadDemo(t, tree);
    PrintRows rows;
    ASSERT_TRUE(fnCreatePrintRows(snapshotOptions(), rows, tree));
    const std::string actual = csv(rows);

    const std::string path = goldenPath(kSnapshot);
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
        ASSERT_EQ(got[i], want[i]) << kSnapshot << ".csv line " << i + 1;
    }
    ASSERT_EQ(got.size(), want.size());

    ASSERT_TRUE(fnOmrix_Print_Print_CreatePrintUchiwakeInf(rows));
    EXPECT_EQ(
        t.count("内訳出力 Where 内訳名称ＩＤ = " + std::to_string(appContext().UchiwakeNameID)),
        static_cast<int64_t>(rows.size()));
    EXPECT_TRUE(t.messages().messages().empty());
}

}  // namespace
}  // namespace omrix::print
