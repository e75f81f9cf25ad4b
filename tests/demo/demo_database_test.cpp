// The demo written into real SQLite files: the breakdown loads, the stored amounts are
// the recalculated ones, the content repeats for a seed and every kind of line is there.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "context/app_context.h"
#include "data/tables/jisha_tantosha_master.h"
#include "data/tables/master_names.h"
#include "demo/demo_fixture.h"
#include "project/tables/bukken_hensu.h"

namespace omrix::testing {
namespace {

using breakdown::COmrixEditUcw;

// Installs the database and loads the demo's breakdown with its project's variables,
// as start-up does.
std::shared_ptr<COmrixEditUcw> loadDemo(DemoFile& file) {
    file.install();
    auto& context = context::appContext();
    context.UchiwakeName.内訳名称ＩＤ = context.UchiwakeNameID = demo::kDemoUchiwakeNameId;
    EXPECT_TRUE(project::fnOmrix_DBT_BukkenHensu_Select(*context.Database, "00000001",
                                                        context.BukkenHensu));
    return breakdown::fnLoadUchiwake();
}

void forEachLine(COmrixEditUcw* line, const std::function<void(COmrixEditUcw&)>& visit) {
    for (; line != nullptr; line = line->fnGetNext()) {
        visit(*line);
        forEachLine(line->fnGetTopChild(), visit);
    }
}

// Loaded as start-up loads it, the stored amounts are what the recalculation makes.
// At 20000 lines seed 11 draws a take-off piece that rounds to 0 ("0*12"): its line
// keeps the unit's smallest quantity without the formula.
TEST(DemoDatabase, LoadsAsATreeWithTheRecalculatedAmounts) {
    const struct {
        uint32_t seed;
        int32_t lines;
    } cases[] = {{1, 10}, {77, 10}, {1, 2000}, {4, 5000}, {11, 20000}};
    for (const auto& [seed, lines] : cases) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", " + std::to_string(lines) + " lines");
        DemoFile file(demo::DemoOptions{seed, lines});
        ASSERT_EQ(file.error(), "");
        EXPECT_EQ(file.summary().lines, lines);
        auto root = loadDemo(file);
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->fnGetNext(), nullptr);  // the heading line is the only top line
        std::map<int32_t, breakdown::UchiwakeRec> stored;
        forEachLine(root.get(), [&](COmrixEditUcw& l) {
            stored.emplace(l.prUchiwakeRec().内訳ＩＤ, l.prUchiwakeRec());
        });
        EXPECT_EQ(static_cast<int32_t>(stored.size()), lines);
        auto sink =
            std::dynamic_pointer_cast<platform::RecordingSink>(context::appContext().Messages);
        root->sbMoneyReCalc(context::appContext().BukkenHensu);
        EXPECT_TRUE(sink->messages().empty()) << "an amount overflowed";
        auto figures = [](const breakdown::UchiwakeRec& r) {
            return std::tuple(r.見積１金額, r.見積２金額, r.提出用金額, r.見積１単価, r.見積２単価,
                              r.提出用単価, r.内訳数量, r.単位名称.trimmedRight());
        };
        forEachLine(root.get(), [&](COmrixEditUcw& l) {
            const auto& now = l.prUchiwakeRec();
            EXPECT_EQ(figures(now), figures(stored.at(now.内訳ＩＤ))) << "line " << now.内訳ＩＤ;
        });
        EXPECT_EQ(root->prUchiwakeRec().提出用金額, file.summary().total);
    }
}

TEST(DemoDatabase, TheSameSeedGivesTheSameContent) {
    DemoFile first(demo::DemoOptions{21, 1500});
    DemoFile second(demo::DemoOptions{21, 1500});
    DemoFile other(demo::DemoOptions{22, 1500});
    ASSERT_EQ(first.error(), "");
    ASSERT_EQ(second.error(), "");
    ASSERT_EQ(other.error(), "");
    const std::string dump = dumpDatabase(first.file());
    EXPECT_TRUE(dump == dumpDatabase(second.file()));
    EXPECT_FALSE(dump == dumpDatabase(other.file()));
}

TEST(DemoDatabase, TheDefaultDemoShowsEveryKindOfLine) {
    DemoFile file{demo::DemoOptions{}};
    ASSERT_EQ(file.error(), "");
    const std::string& f = file.file();
    auto count = [&](const std::string& where) {
        return queryNumber(f, "SELECT Count(*) FROM 内訳 WHERE 削除区分 = '0' AND (" + where + ")");
    };
    EXPECT_EQ(count("1 = 1"), demo::kDemoDefaultLines);
    // Every heading the level tree and the page-name window show has its name in 名称２.
    EXPECT_EQ(count("種別フラグ & 23 <> 0 AND Trim(Coalesce(名称２, '')) = ''"), 0);
    // Every kind of line is there: sub-subjects, line items, continuations, both forms of
    // total line, separate sheets (some printed apart) with page names, unused items.
    for (const char* kind :
         {"種別フラグ = 6 AND 親内訳ID IN (SELECT 内訳ID FROM 内訳 WHERE 種別フラグ = 2)",
          "種別フラグ & 4096 AND 継続親内訳ID > 0 AND 継続行No >= 1", "種別フラグ & 32",
          "種別フラグ = 64", "種別フラグ = 72", "種別フラグ = 16 AND 頁名称 <> ''",
          "種別フラグ = 144 AND 頁名称 <> ''", "種別フラグ = 264", "数量計算式 LIKE '%延床面積%'",
          "社外備考 LIKE '%' || char(13, 10) || '%'", "他社担当者ＭＩＤ > 0"}) {
        EXPECT_GT(count(kind), 0) << kind;
    }
    // Unit-price breakdowns belong to line items that have lower lines; their lines'
    // sum and the rounding amount make the total, which is the owner's price for the
    // model quantity.
    EXPECT_GT(queryNumber(f, "SELECT Count(*) FROM 代価表"), 0);
    EXPECT_EQ(queryNumber(f,
                          "SELECT Count(*) FROM 代価表 d JOIN 内訳 o ON o.内訳ID = d.内訳ID "
                          "AND o.削除区分 = '0' WHERE d.合計金額 - d.端数金額 = (SELECT "
                          "Sum(提出用金額) FROM 内訳 c WHERE c.親内訳ID = d.内訳ID AND "
                          "c.削除区分 = '0') AND d.換算単価 = o.提出用単価 AND d.合計金額 = "
                          "o.提出用単価 * d.モデル数量 AND o.種別フラグ = 8"),
              queryNumber(f, "SELECT Count(*) FROM 代価表"));
    // Earlier states of lines stay soft-deleted beside the live line.
    EXPECT_GT(queryNumber(f, "SELECT Count(*) FROM 内訳 WHERE 削除区分 = '1'"), 0);

    // Masters the exports do not print: an operator who may only look, other-company codes.
    file.install();
    EXPECT_EQ(data::fnGetTantoshaKengen(1) & 1, 0);  // operator 1 may save and print
    EXPECT_EQ(data::fnGetTantoshaKengen(3) & 1, 1);  // operator 3 may only look
    EXPECT_EQ(data::fnOmrix_DBT_TashaTantoshaM_GetTashaCD(file.db(), 1), "T001");
}

}  // namespace
}  // namespace omrix::testing
