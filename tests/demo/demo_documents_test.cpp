// What the print run and the four documents read from a demo database, read through
// the module's own readers; and a demo that cannot be written leaves nothing behind.

#include <gtest/gtest.h>

#include "breakdown/omrix_dbt_uchiwake_name.h"
#include "context/app_context.h"
#include "data/jisha_master.h"
#include "data/jisha_tantosha_master.h"
#include "data/kankyo_master.h"
#include "data/master_names.h"
#include "data/print_format_master.h"
#include "data/schema.h"
#include "demo/demo_fixture.h"
#include "project/bukken_gaiyou.h"
#include "project/bukken_hensu.h"
#include "project/bukken_kanri.h"
#include "project/bukken_kanri_details.h"
#include "project/bukken_mitsumori_youkou.h"

namespace omrix::testing {
namespace {

TEST(DemoDocuments, MastersTheDocumentsNeedAreThere) {
    DemoFile file{demo::DemoOptions{}};
    ASSERT_EQ(file.error(), "");
    file.install();

    data::KankyoRec kankyo;
    ASSERT_TRUE(data::fnOmrix_DBT_KankyoM_GetFirst(*context::appContext().Database, kankyo));
    EXPECT_GT(kankyo.ＬＯＣＫ作成トライ回数, 0);
    EXPECT_GT(kankyo.ＬＯＣＫ作成ウェイト時間, 0);

    std::vector<data::UchiwakeshoShutsuryokuKeishikiMRec> types;
    ASSERT_TRUE(data::fnOmrix_DBT_UchiwakeshoShutsuryokuKeishikiM_Select(
        *context::appContext().Database, types, 1));
    std::vector<std::string> names;
    for (const auto& t : types) names.emplace_back(t.内訳書出力形式名称.trimmedRight());
    EXPECT_EQ(names,
              (std::vector<std::string>{"B5", "A4(横)", "A4(縦)", "A4(計算式)", "A4(社内確認用)"}));

    std::vector<data::JishaMRec> companies;
    ASSERT_TRUE(data::fnOmrix_DBT_JishaM_Select(*context::appContext().Database, companies, 1));
    ASSERT_FALSE(companies.empty());
    bool ownCompany = false;
    for (const auto& c : companies) {
        EXPECT_NE(c.自社ＣＤ.trimmedRight(), "0");
        ownCompany = ownCompany || c.自社名.trimmedRight() == "株式会社オムリクス建設";
    }
    EXPECT_TRUE(ownCompany);

    EXPECT_EQ(data::fnGetTantoshaKengen(1) & 1, 0);  // operator 1 may save and print
    EXPECT_EQ(data::fnGetTantoshaKengen(3) & 1, 1);  // operator 3 may only look
    for (int32_t kind : {1, 2, 5})
        EXPECT_NE(data::fnOmrix_DBT_KingakuShuruiM_GetName(*context::appContext().Database, kind),
                  "");
    EXPECT_EQ(data::fnOmrix_DBT_TashaTantoshaM_GetTashaCD(*context::appContext().Database, 1),
              "T001");
    EXPECT_DOUBLE_EQ(project::fnGetTuboKansan(), 0.3025);
}

TEST(DemoDocuments, TheCommandLineProjectFindsItsRows) {
    DemoFile file{demo::DemoOptions{}};
    ASSERT_EQ(file.error(), "");
    file.install();

    std::vector<breakdown::UchiwakeNameRec> headers;
    ASSERT_TRUE(breakdown::fnOmrix_DBT_UchiwakeName_SelectByBukken("00000001", "01", headers));
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[1].内訳名称ＩＤ, demo::kDemoUchiwakeNameId);

    std::vector<project::BukkenHensuRec> variables;
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenHensu_Select(*context::appContext().Database, "00000001",
                                                        variables));
    EXPECT_EQ(variables.size(), 11u);

    project::BukkenKanriRec kanri;
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenKanri_Select(*context::appContext().Database, "00000001",
                                                        "0000", kanri));
    ASSERT_GT(kanri.物件管理ＩＤ, 0);
    project::BukkenKiboKanriRec kibo;
    project::BukkenKoujiBashoKanriRec basho;
    project::BukkenKuiKanriRec kui;
    project::BukkenTatemonoKanriRec tatemono;
    project::BukkenTokkiKanriRec tokki;
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenKiboKanri_Select(*context::appContext().Database,
                                                            kanri.物件規模管理ＩＤ, kibo));
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenKoujiBashoKanri_Select(
        *context::appContext().Database, kanri.物件工事場所管理ＩＤ, basho));
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenKuiKanri_Select(*context::appContext().Database,
                                                           kanri.物件杭管理ＩＤ, kui));
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenTatemonoKanri_Select(*context::appContext().Database,
                                                                kanri.物件建物管理ＩＤ, tatemono));
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenTokkiKanri_Select(*context::appContext().Database,
                                                             kanri.物件特記管理ＩＤ, tokki));
    // Each detail row is found under its own ID.
    EXPECT_EQ(kibo.物件規模管理ＩＤ, kanri.物件規模管理ＩＤ);
    EXPECT_EQ(basho.物件工事場所管理ＩＤ, kanri.物件工事場所管理ＩＤ);
    EXPECT_EQ(kui.物件杭管理ＩＤ, kanri.物件杭管理ＩＤ);
    EXPECT_EQ(tatemono.物件建物管理ＩＤ, kanri.物件建物管理ＩＤ);
    EXPECT_EQ(tokki.物件特記管理ＩＤ, kanri.物件特記管理ＩＤ);
    EXPECT_EQ(
        data::fnOmrix_DBT_KouzouKubunM_GetName(*context::appContext().Database, kibo.構造区分ＩＤ),
        "鉄筋コンクリート造");
    EXPECT_EQ(
        data::fnOmrix_DBT_TodoufukenM_GetName(*context::appContext().Database, basho.都道府県ＩＤ),
        "神奈川県");
    EXPECT_NE(data::fnOmrix_DBT_KuiKouhouM_GetName(*context::appContext().Database, kui.杭工法ＩＤ),
              "");
    EXPECT_EQ(data::fnOmrix_DBT_TatemonoYoutoM_GetName(*context::appContext().Database,
                                                       tatemono.主建物用途ＩＤ),
              "事務所");
    EXPECT_NE(data::fnOmrix_DBT_SekkeishaM_GetName(*context::appContext().Database,
                                                   kanri.設計社ＣＤ.trimmedRight()),
              "");
    EXPECT_EQ(data::fnOmrix_DBT_JishaM_GetName(*context::appContext().Database,
                                               kanri.自社ＣＤ.trimmedRight()),
              "みなと開発株式会社");
    EXPECT_GT(tokki.契約金額, util::Currency());
    EXPECT_LE(tokki.契約金額, file.summary().total);

    project::BukkenGaiyouRec gaiyou;
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenGaiyou_Select(*context::appContext().Database,
                                                         "00000001", gaiyou));
    EXPECT_GT(gaiyou.物件概要ＩＤ, 0);
    EXPECT_EQ(gaiyou.物件No.str(), "        00000001");  // as the windows store it
    project::BukkenMitsumoriYoukouRec youkou;
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenMitsumoriYoukou_Select(*context::appContext().Database,
                                                                  "00000001", "01", youkou));
    EXPECT_GT(youkou.物件見積要項ＩＤ, 0);
    // Another version of the project has no summary sheet yet.
    project::BukkenMitsumoriYoukouRec none;
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenMitsumoriYoukou_Select(*context::appContext().Database,
                                                                  "00000001", "02", none));
    EXPECT_EQ(none.物件見積要項ＩＤ, 0);
}

TEST(DemoDocuments, OtherProjectNumbersAreStoredSoThatTheyAreFound) {
    demo::DemoOptions o;
    o.bukkenNo = "12";
    o.hanNo = "3";
    o.lines = 30;
    DemoFile file(o);
    ASSERT_EQ(file.error(), "");
    file.install();
    std::vector<breakdown::UchiwakeNameRec> headers;
    ASSERT_TRUE(breakdown::fnOmrix_DBT_UchiwakeName_SelectByBukken("12", "3", headers));
    EXPECT_EQ(headers.size(), 2u);
    ASSERT_TRUE(breakdown::fnOmrix_DBT_UchiwakeName_SelectByBukken("00000001", "01", headers));
    EXPECT_EQ(headers.size(), 1u);
}

TEST(DemoDocuments, ADemoThatCannotBeWrittenLeavesNothing) {
    demo::DemoSummary summary;
    std::string error;
    {
        // Filled once: a second run is refused and changes nothing.
        DemoFile file(demo::DemoOptions{1, 40});
        ASSERT_EQ(file.error(), "");
        const std::string before = dumpDatabase(file.file());
        EXPECT_FALSE(demo::createDemoDatabase(file.db(), demo::DemoOptions{2, 40}, summary, error));
        EXPECT_NE(error.find("already"), std::string::npos) << error;
        EXPECT_EQ(dumpDatabase(file.file()), before);
    }
    {
        DemoFile file;
        ASSERT_EQ(file.error(), "");
        for (demo::DemoOptions bad :
             {demo::DemoOptions{1, 0}, demo::DemoOptions{1, -5},
              demo::DemoOptions{1, demo::kDemoMaxLines + 1}, demo::DemoOptions{1, 10, "", "01"},
              demo::DemoOptions{1, 10, "12345678901234567", "01"},
              demo::DemoOptions{1, 10, "O'Neil", "01"},
              demo::DemoOptions{1, 10, "00000001", "12345"}}) {
            error.clear();
            EXPECT_FALSE(demo::createDemoDatabase(file.db(), bad, summary, error))
                << bad.lines << " " << bad.bukkenNo << " " << bad.hanNo;
            EXPECT_NE(error, "");
        }
        // A table missing half-way: the masters and project written before it go too.
        ASSERT_TRUE(file.db().fnExecute("DROP TABLE 代価表;"));
        error.clear();
        EXPECT_FALSE(demo::createDemoDatabase(file.db(), demo::DemoOptions{}, summary, error));
        EXPECT_NE(error, "");
        EXPECT_EQ(queryNumber(file.file(), "SELECT Count(*) FROM 環境Ｍ"), 0);
        EXPECT_EQ(queryNumber(file.file(), "SELECT Count(*) FROM 物件管理"), 0);
        EXPECT_EQ(queryNumber(file.file(), "SELECT Count(*) FROM 内訳"), 0);
    }
    {
        // A database without the tables.
        TempFolder folder;
        data::CCCDBS_DataBase db;
        ASSERT_TRUE(data::createDatabaseFile(folder.file("empty.sqlite"), error));
        ASSERT_TRUE(db.fnOpen("sqlite", folder.file("empty.sqlite"), "", "", 1));
        error.clear();
        EXPECT_FALSE(demo::createDemoDatabase(db, demo::DemoOptions{}, summary, error));
        EXPECT_NE(error.find("init"), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace omrix::testing
