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
#include "project/bukken_hensu.h"
#include "project/bukken_mitsumori_youkou.h"
#include "project/koji_gaiyo_form.h"
#include "project/mitsumoriyoko_form.h"
#include "project/project_master_fixture.h"

namespace omrix::testing {
namespace {

TEST(DemoDocuments, TheCommandLineProjectFindsItsRowsAndMasters) {
    DemoFile file{demo::DemoOptions{}};
    ASSERT_EQ(file.error(), "");
    auto messages = file.install();
    data::CCCDBS_DataBase& db = file.db();

    data::KankyoRec kankyo;
    ASSERT_TRUE(data::fnOmrix_DBT_KankyoM_GetFirst(db, kankyo));
    EXPECT_GT(kankyo.ＬＯＣＫ作成トライ回数, 0);
    EXPECT_GT(kankyo.ＬＯＣＫ作成ウェイト時間, 0);
    std::vector<data::UchiwakeshoShutsuryokuKeishikiMRec> types;
    ASSERT_TRUE(data::fnOmrix_DBT_UchiwakeshoShutsuryokuKeishikiM_Select(db, types, 1));
    std::vector<std::string> names;
    for (const auto& t : types) names.emplace_back(t.内訳書出力形式名称.trimmedRight());
    EXPECT_EQ(names,
              (std::vector<std::string>{"B5", "A4(横)", "A4(縦)", "A4(計算式)", "A4(社内確認用)"}));
    std::vector<data::JishaMRec> companies;
    ASSERT_TRUE(data::fnOmrix_DBT_JishaM_Select(db, companies, 1));
    bool ownCompany = false;
    for (const auto& c : companies) {
        EXPECT_NE(c.自社ＣＤ.trimmedRight(), "0");
        ownCompany = ownCompany || c.自社名.trimmedRight() == "株式会社オムリクス建設";
    }
    EXPECT_TRUE(ownCompany);
    EXPECT_EQ(data::fnGetTantoshaKengen(1) & 1, 0);  // operator 1 may save and print
    EXPECT_EQ(data::fnGetTantoshaKengen(3) & 1, 1);  // operator 3 may only look
    for (int32_t kind : {1, 2, 5})
        EXPECT_NE(data::fnOmrix_DBT_KingakuShuruiM_GetName(db, kind), "");
    EXPECT_EQ(data::fnOmrix_DBT_TashaTantoshaM_GetTashaCD(db, 1), "T001");
    EXPECT_DOUBLE_EQ(project::fnGetTuboKansan(), 0.3025);

    std::vector<breakdown::UchiwakeNameRec> headers;
    ASSERT_TRUE(breakdown::fnOmrix_DBT_UchiwakeName_SelectByBukken("00000001", "01", headers));
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[1].内訳名称ＩＤ, demo::kDemoUchiwakeNameId);
    std::vector<project::BukkenHensuRec> variables;
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenHensu_Select(db, "00000001", variables));
    EXPECT_EQ(variables.size(), 11u);

    // Both sheets are there; 物件情報 finds the project's detail rows and their masters.
    messages->setAnswer(platform::kAnswerYes);
    const project::ProjectFormInputs in = project::projectInputs(db, "01", 0, "00000001");
    project::KojiGaiyoForm gaiyou(in);
    gaiyou.load();
    EXPECT_EQ(gaiyou.record().物件No.str(), "        00000001");  // as the windows store it
    EXPECT_GT(gaiyou.record().物件概要ＩＤ, 0);
    ASSERT_TRUE(gaiyou.takeOver());
    EXPECT_EQ(gaiyou.text("Txt_Kozo"), "鉄筋コンクリート造");
    EXPECT_TRUE(gaiyou.text("Txt_KojiBasho").starts_with("神奈川県"))
        << gaiyou.text("Txt_KojiBasho");
    EXPECT_EQ(gaiyou.text("Txt_Yoto"), "事務所");
    EXPECT_EQ(gaiyou.text("Txt_Hacchusha"), "みなと開発株式会社");
    EXPECT_NE(gaiyou.text("Txt_Sekkeisha"), "");
    EXPECT_NE(gaiyou.text("Txt_Koki"), "");
    project::MitsumoriyokoForm youkou(in);
    youkou.load();
    EXPECT_GT(youkou.record().物件見積要項ＩＤ, 0);
    ASSERT_TRUE(youkou.takeOver());
    EXPECT_GT(youkou.text("Txt_Kui1").size(), std::string("工法  ").size());
    // Another version of the project has no summary sheet yet.
    project::BukkenMitsumoriYoukouRec none;
    ASSERT_TRUE(project::fnOmrix_DBT_BukkenMitsumoriYoukou_Select(db, "00000001", "02", none));
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
