#include <gtest/gtest.h>

#include <tuple>

#include "data/tables/id_numbering.h"
#include "data/table_database.h"
#include "project/tables/bukken_gaiyou.h"
#include "project/tables/bukken_mitsumori_youkou.h"

namespace omrix::project {
namespace {

class ProjectTableTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(t.ok()) << t.error(); }
    testing::TableDatabase t;
};

BukkenGaiyouRec sampleGaiyou(int32_t id) {
    BukkenGaiyouRec rec;
    rec.物件概要ＩＤ = id;
    rec.物件No = "              12";  // right-aligned, as the windows hand it over
    rec.事業所名称 = "東京支店";
    rec.工事名称 = "（仮称）O'Hara 本社ビル新築工事";
    rec.工事略称 = "ｵﾊﾗ本社";
    rec.建物数量 = 2.5;
    rec.地下階 = 2;
    rec.延床面積坪 = 29876.543210987;
    rec.特記事項[4] = "五'; --";
    rec.杭有無 = "1";
    rec.載荷備考 = "最後の列";
    return rec;
}

TEST_F(ProjectTableTest, GaiyouFirstSaveInsertsSecondUpdates) {
    int32_t id = data::fnGetNewTableID(t.db(), {}, "物件概要", "test");
    ASSERT_EQ(id, 1);
    BukkenGaiyouRec saved = sampleGaiyou(id);
    ASSERT_TRUE(fnOmrix_DBT_BukkenGaiyou_Update(t.db(), saved, true));

    BukkenGaiyouRec read;
    ASSERT_TRUE(fnOmrix_DBT_BukkenGaiyou_Select(t.db(), "12", read));
    EXPECT_EQ(read.audit.更新カウンタ, 0);
    saved.audit = read.audit;
    EXPECT_EQ(read, saved);
    // Stored with the field's padding; either form of the number finds it.
    // ｵﾊﾗ本社 padded to 50 characters is 52 bytes: the cut leaves 48 characters.
    EXPECT_EQ(t.value("Select Length(物件No) || '/' || Length(工事略称) From 物件概要;"), "16/48");
    ASSERT_TRUE(fnOmrix_DBT_BukkenGaiyou_Select(t.db(), "  12  ", read));
    EXPECT_EQ(read.物件概要ＩＤ, id);

    read.地上階 = -1;
    ASSERT_TRUE(fnOmrix_DBT_BukkenGaiyou_Update(t.db(), read, false));
    EXPECT_EQ(t.value("Select 地上階 || '/' || 更新カウンタ From 物件概要;"), "-1/1");
}

TEST_F(ProjectTableTest, GaiyouTextsAreCutToTheColumnWidthInBytes) {
    BukkenGaiyouRec rec;
    rec.物件概要ＩＤ = 3;
    rec.物件No = "A";
    // 76 characters fit the field, 76 bytes the column: 38 full-width characters.
    auto repeated = [](int count) {
        std::string out;
        for (int i = 0; i < count; ++i) out += "工";
        return out;
    };
    rec.工事名称 = repeated(40);
    rec.杭有無 = "有り";  // a one-character field keeps one character, which a byte cannot hold
    ASSERT_TRUE(fnOmrix_DBT_BukkenGaiyou_Update(t.db(), rec, true));
    BukkenGaiyouRec read;
    ASSERT_TRUE(fnOmrix_DBT_BukkenGaiyou_Select(t.db(), "A", read));
    EXPECT_EQ(read.工事名称.trimmedRight(), repeated(38));
    EXPECT_TRUE(read.杭有無.isBlank());
}

TEST_F(ProjectTableTest, GaiyouMissingRowNullColumnsAndDeletedRows) {
    BukkenGaiyouRec missing = sampleGaiyou(5);  // no row: read as an empty sheet
    ASSERT_TRUE(fnOmrix_DBT_BukkenGaiyou_Select(t.db(), "12", missing));
    EXPECT_EQ(missing, BukkenGaiyouRec{});
    t.exec(
        "Insert Into 物件概要 (削除区分, 物件概要ＩＤ, 物件No, 工事名称, 建物数量, 地下階) "
        "Values ('1', 4, 'N1', '削除済', 9, 9);"
        "Insert Into 物件概要 (削除区分, 物件概要ＩＤ, 物件No, 工事名称, 建物数量, 地下階, 更新日) "
        "Values ('0', 5, 'N1', NULL, NULL, NULL, NULL);");
    BukkenGaiyouRec rec;
    ASSERT_TRUE(fnOmrix_DBT_BukkenGaiyou_Select(t.db(), "N1", rec));
    EXPECT_EQ(std::tuple(rec.物件概要ＩＤ, rec.建物数量, rec.地下階, rec.audit.更新日),
              std::tuple(5, 0.0, 0, data::DateTime{}));
    EXPECT_TRUE(rec.工事名称.isBlank());

    // Saving the deleted row's ID leaves it alone and adds a live one.
    rec.物件概要ＩＤ = 4;
    ASSERT_TRUE(fnOmrix_DBT_BukkenGaiyou_Update(t.db(), rec, true));
    EXPECT_EQ(t.count("物件概要 Where 物件概要ＩＤ = 4;"), 2);
    EXPECT_EQ(t.value("Select 工事名称 From 物件概要 Where 削除区分 = '1';"), "削除済");
}

TEST_F(ProjectTableTest, YoukouIsKeptPerVersionWithEveryNumberedColumn) {
    BukkenMitsumoriYoukouRec rec;
    rec.物件見積要項ＩＤ = 21;
    rec.物件No = "P7";
    rec.版No = "02";
    for (size_t i = 0; i < rec.支払条件.size(); ++i)
        rec.支払条件[i] = "支払" + std::to_string(i + 1);
    for (size_t i = 0; i < rec.杭.size(); ++i) rec.杭[i] = "杭" + std::to_string(i + 1);
    for (size_t i = 0; i < rec.別途工事.size(); ++i)
        rec.別途工事[i] = "別途" + std::to_string(i + 1);
    for (size_t i = 0; i < rec.備考.size(); ++i) rec.備考[i] = "備考" + std::to_string(i + 1);
    rec.施工床面積坪 = 0.001;
    ASSERT_TRUE(fnOmrix_DBT_BukkenMitsumoriYoukou_Update(t.db(), rec, true));
    EXPECT_EQ(t.value("Select RTrim(備考１０) || RTrim(備考１１) || RTrim(支払条件６) || "
                      "RTrim(杭４) From 物件見積要項;"),
              "備考10備考11支払6杭4");

    BukkenMitsumoriYoukouRec read;
    ASSERT_TRUE(fnOmrix_DBT_BukkenMitsumoriYoukou_Select(t.db(), " P7", "02 ", read));
    rec.audit = read.audit;
    EXPECT_EQ(read, rec);
}

}  // namespace
}  // namespace omrix::project
