#include <gtest/gtest.h>

#include <string>

#include "data/table_database.h"
#include "platform/messages.h"
#include "project/forms/koji_gaiyo_form.h"
#include "project/forms/mitsumoriyoko_form.h"
#include "project/project_master_fixture.h"

namespace omrix::project {
namespace {

using platform::kAnswerNo;
using platform::kAnswerYes;

class ProjectFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(t.ok()) << t.error();
        t.exec(kMasterData);
    }
    ProjectFormInputs inputs(std::string han = "01", int16_t kengen = 0) {
        return projectInputs(t.db(), std::move(han), kengen);
    }
    // Numbers and first texts of the messages shown so far; a plain box by its text.
    std::string shown() {
        std::string out;
        for (const auto& m : t.messages().messages()) {
            out += m.number == 0
                       ? "box:" + m.text + ";"
                       : std::to_string(m.number) + ":" + m.params[0] + ":" + m.params[2] + ";";
        }
        t.messages().clear();
        return out;
    }
    testing::TableDatabase t;
};

TEST_F(ProjectFormTest, FirstApplyInsertsWithANewNumberTheSecondUpdatesIt) {
    KojiGaiyoForm form(inputs());
    form.load();
    EXPECT_EQ(form.text("Lbl_Shikichitubo"), "0");

    form.setText("Txt_KojiName", "新築工事");
    form.setText("Txt_Shikichim", "100");
    form.areaLostFocus("Txt_Shikichim");
    EXPECT_EQ(form.text("Lbl_Shikichitubo"), "30.3");
    form.setOption("Opt_KuiAri", true);
    EXPECT_TRUE(form.changed());
    ASSERT_TRUE(form.save());
    EXPECT_EQ(shown(), "4003::;");
    EXPECT_FALSE(form.changed());
    EXPECT_EQ(t.value("Select 物件概要ＩＤ || '|' || 物件No || '|' || 敷地面積坪 || '|' || 杭有無 "
                      "|| '|' || 山止有無 From 物件概要;"),
              "1|              12|30.3|1|0");

    // Saved by a key with the caret still in the area box: the label follows first,
    // 200 m² × 0.303 = 60.6 坪.
    form.setText("Txt_ChijoKai", "12");
    form.setText("Txt_Shikichim", "200");
    ASSERT_TRUE(form.save());
    EXPECT_EQ(form.text("Lbl_Shikichitubo"), "60.6");
    EXPECT_EQ(t.count("物件概要;"), 1);
    EXPECT_EQ(t.value("Select 物件概要ＩＤ || '|' || 地上階 || '|' || 更新カウンタ || '|' || "
                      "敷地面積坪 From 物件概要;"),
              "1|12|1|60.6");

    KojiGaiyoForm again(inputs());
    again.load();
    EXPECT_TRUE(again.option("Opt_KuiAri"));
    EXPECT_EQ(again.text("Lbl_Shikichitubo"), "60.6");
}

TEST_F(ProjectFormTest, TakeOverFillsTheOverviewFromTheMasters) {
    KojiGaiyoForm form(inputs());
    form.load();
    form.setText("Txt_Hani", "本体工事");
    ASSERT_TRUE(form.save());
    shown();

    t.messages().setAnswer(kAnswerNo);
    EXPECT_FALSE(form.takeOver());
    EXPECT_EQ(shown(), "2006:現在の情報を破棄して物件情報:;");
    EXPECT_EQ(form.text("Txt_Hani"), "本体工事");

    t.messages().setAnswer(kAnswerYes);
    ASSERT_TRUE(form.takeOver());
    EXPECT_EQ(shown(), "2006:現在の情報を破棄して物件情報:;");
    EXPECT_TRUE(form.changed());
    const std::pair<const char*, const char*> boxes[] = {
        {"Txt_KojiName", "本社ビル新築工事"},
        {"Txt_KojiBasho", "東京都千代田区丸の内1-1"},
        {"Txt_Sekkeisha", "中央設計事務所"},
        {"Txt_Hacchusha", "大和建設株式会社"},
        {"Txt_Koki", "2025/04/01～2026/03/31"},
        {"Txt_Kozo", "ＳＲＣ造"},
        {"Txt_Yoto", "事務所"},
        {"Txt_Suryo", "2"},
        {"Txt_Kenchikum", "600.5"},
        {"Lbl_Kenchikutubo", "181.9515"},  // × 0.303
        {"Txt_Hani", ""},
        {"Txt_Tokki5", "五"}};
    for (const auto& [box, text] : boxes) EXPECT_EQ(form.text(box), text) << box;

    ASSERT_TRUE(form.save());
    EXPECT_EQ(t.count("物件概要;"), 1);  // the same row, ID kept
    EXPECT_EQ(t.value("Select RTrim(特記事項５) || '|' || RTrim(見積範囲) || '|' || 物件概要ＩＤ "
                      "From 物件概要;"),
              "五||1");
}

TEST_F(ProjectFormTest, TakeOverFillsTheSummaryFromTheMasters) {
    MitsumoriyokoForm form(inputs());
    form.load();
    EXPECT_EQ(form.text("Txt_Bunsho"), "");  // the default text comes only with 物件情報
    t.messages().setAnswer(kAnswerYes);
    ASSERT_TRUE(form.takeOver());
    std::string kui;
    for (const char* box : {"Txt_Kui1", "Txt_Kui2", "Txt_Kui3", "Txt_Kui4", "Txt_ShiharaiJoken2",
                            "Txt_ShiharaiJoken5"})
        kui += form.text(box) + "|";
    EXPECT_EQ(kui, "工法  場所打ち杭|径　  600Φ|実長  25.5ｍ|本数  48本|翌月払い|五|");
    EXPECT_EQ(form.record().支払条件[5].trimmedRight(), "六");
    EXPECT_EQ(form.text("Txt_Bunsho"), kDefaultBunsho);
    EXPECT_EQ(form.text("Lbl_Sekoyukatubo"), "1545.3");  // 5100 × 0.303, not the stored m²

    ASSERT_TRUE(form.save());
    // Shown and saved are the first five conditions only.
    EXPECT_EQ(
        t.value("Select RTrim(支払条件５) || '|' || RTrim(支払条件６) || '|' || 施工床面積坪 || "
                "'|' || Trim(版No) || '|' || RTrim(発注者担当部署名) From 物件見積要項;"),
        "五||1545.3|01|");
}

TEST_F(ProjectFormTest, AuthorityBitZeroViewsAndTakesOverButNeverSaves) {
    KojiGaiyoForm form(inputs("01", 0x0003));
    form.load();
    EXPECT_TRUE(form.editable());
    EXPECT_FALSE(form.mayWrite());
    t.messages().setAnswer(kAnswerYes);
    ASSERT_TRUE(form.takeOver());
    EXPECT_FALSE(form.save());
    EXPECT_EQ(t.count("物件概要;"), 0);
    EXPECT_EQ(t.count("ＩＤ管理;"), 0);  // not even a number taken

    KojiGaiyoForm other(inputs("01", 0x0002));
    other.load();
    EXPECT_TRUE(other.mayWrite());
}

TEST_F(ProjectFormTest, AFailedMasterReadStopsTheTakeOverWithItsMessage) {
    // Each named as "<table>情報の取得".
    for (const std::string table : {"物件管理", "物件杭管理", "物件特記管理"}) {
        SCOPED_TRACE(table);
        testing::TableDatabase fresh;
        ASSERT_TRUE(fresh.ok());
        fresh.exec(kMasterData);
        fresh.exec("Drop Table " + table + ";");
        fresh.messages().setAnswer(kAnswerYes);
        ProjectFormInputs in = inputs();
        in.db = &fresh.db();
        MitsumoriyokoForm form(in);
        form.load();
        form.setText("Txt_Bikou1", "残る");
        EXPECT_FALSE(form.takeOver());
        ASSERT_EQ(fresh.messages().messages().size(), 2u);
        const auto& m = fresh.messages().messages()[1];
        EXPECT_EQ(std::to_string(m.number) + ":" + m.params[0], "3010:" + table + "情報の取得");
        EXPECT_EQ(form.text("Txt_Bikou1") + "|" + form.text("Txt_Bunsho"), "残る|");
    }
}

TEST_F(ProjectFormTest, ChangedFlagAndTheCloseQuestion) {
    KojiGaiyoForm form(inputs());
    form.load();
    // Boxes outside the flag's list change the text but not the flag.
    for (const char* box : {"Txt_Hacchusha", "Txt_Tokki5"}) {
        form.setText(box, "x");
        EXPECT_FALSE(form.changed()) << box;
    }
    EXPECT_TRUE(form.mayClose());
    EXPECT_EQ(shown(), "");

    form.areaLostFocus("Txt_Nobeyukam");  // empty area, label already "0": no change
    EXPECT_FALSE(form.changed());
    form.setText("Txt_Nobeyukam", "10");
    form.setText("Txt_Nobeyukam", "");
    EXPECT_TRUE(form.changed());
    t.messages().setAnswer(kAnswerNo);
    EXPECT_FALSE(form.mayClose());
    EXPECT_EQ(shown(), "2003::;");

    MitsumoriyokoForm summary(inputs());
    summary.load();
    summary.setText("Txt_Bikou11", "y");  // every box of the summary counts
    EXPECT_TRUE(summary.changed());
}

TEST_F(ProjectFormTest, FailuresKeepTheSheetChanged) {
    // Another program holds the numbering lock of 物件概要.
    t.exec(
        "Insert Into ＩＤ排他管理 (ＫＥＹＩＤ１, ＫＥＹＩＤ２, テーブル名称) "
        "Values (0, 0, '物件概要');");
    KojiGaiyoForm form(inputs());
    form.load();
    form.setText("Txt_KojiName", "a");
    EXPECT_FALSE(form.save());
    EXPECT_EQ(shown(), "3010:ＩＤ管理テーブルの取得:fnWriteBukkenGaiyouInf;");
    EXPECT_TRUE(form.changed());

    t.exec(
        "Delete From ＩＤ排他管理;"
        "Create Trigger refuse Before Insert On 物件概要 Begin Select Raise(Abort, 'no'); End;");
    // Each 3010 is followed by the engine's cause on a line of its own.
    EXPECT_FALSE(form.save());
    EXPECT_EQ(shown(), "3010:物件概要の書き込み:fnWriteBukkenGaiyouInf;box:" + t.file() + ": no;");
    EXPECT_TRUE(form.changed());

    t.exec("Drop Table 物件見積要項;");
    MitsumoriyokoForm summary(inputs());
    summary.load();
    EXPECT_EQ(shown(), "3010:物件見積要項の取得:Form_Load;box:" + t.file() +
                           ": no such table: 物件見積要項;");
    EXPECT_FALSE(summary.editable());
    EXPECT_FALSE(summary.mayWrite());
}

}  // namespace
}  // namespace omrix::project
