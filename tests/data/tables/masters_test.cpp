#include <gtest/gtest.h>

#include "context/app_context.h"
#include "data/tables/jisha_master.h"
#include "data/tables/jisha_tantosha_master.h"
#include "data/tables/kankyo_master.h"
#include "data/tables/master_names.h"
#include "data/tables/print_format_master.h"
#include "data/table_database.h"

namespace omrix::data {
namespace {

class MasterTest : public testing::TablesTest {
  protected:
    void setGijyutuPath(const std::string& line) {
        testing::writeBytes(t.iniPath(), t.databaseSection() + line);
    }
};

// A deleted row is left out by the start-up test.
TEST_F(MasterTest, KankyoReadsNullsAsEmptyAndTheIniFolder) {
    KankyoRec row;
    t.exec(
        "Insert Into 環境Ｍ (削除区分, ＬＯＣＫ作成トライ回数, ＬＯＣＫ作成ウェイト時間, "
        "技術資料保存フォルダ, 消費税率) Values ('0', 3, 250, '/srv/gijyutu', 0.1), "
        "('0', NULL, NULL, NULL, NULL);");
    ASSERT_TRUE(fnOmrix_DBT_KankyoM_GetFirst(t.db(), row));
    EXPECT_EQ(row.ＬＯＣＫ作成ウェイト時間, 250);
    EXPECT_DOUBLE_EQ(row.消費税率, 0.1);
    std::vector<KankyoRec> rows;
    ASSERT_TRUE(fnOmrix_DBT_KankyoM_Select(t.db(), rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].技術資料保存フォルダ, "");
    EXPECT_EQ(rows[1].ＬＯＣＫ作成ウェイト時間, 0);
    // The folder of a [GIJYUTU] PATH that is not blank wins.
    for (const auto& [ini, folder] :
         {std::pair{"[GIJYUTU]\nPATH=   \n", "/srv/gijyutu"},
          std::pair{"[gijyutu]\npath =  /local/docs  \n", "/local/docs"}}) {
        setGijyutuPath(ini);
        ASSERT_TRUE(fnOmrix_DBT_KankyoM_GetFirst(t.db(), row));
        EXPECT_EQ(row.技術資料保存フォルダ, folder);
    }
    t.exec("Drop Table 環境Ｍ;");
    EXPECT_FALSE(fnOmrix_DBT_KankyoM_Select(t.db(), rows));
}

TEST_F(MasterTest, CompanyListAndPrintFormats) {
    t.exec(
        "Insert Into 自社Ｍ (削除区分, 自社ＣＤ, 自社名, 受信ポート) Values "
        "('0', 'B02   ', '乙建設', NULL), ('0', '  0   ', '自社なし', ''), "
        "('9', 'C03', '削除済', ''), ('0', 'A01', '甲''s 工務店', '110');");
    std::vector<JishaMRec> rows;
    ASSERT_TRUE(fnOmrix_DBT_JishaM_Select(t.db(), rows, 1));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].自社名.trimmedRight(), "甲's 工務店");
    EXPECT_EQ(rows[1].自社ＣＤ.trimmedRight(), "B02");
    // Operator rights: none for a deleted row or none stored, -1 when unreadable.
    t.exec(
        "Insert Into 自社担当者Ｍ (削除区分, 自社担当者ＭＩＤ, 自社担当者名, 権限) Values "
        "('0', 12, '鈴木', 5), ('1', 13, '', 7), ('0', 14, '', NULL);");
    EXPECT_EQ(fnGetTantoshaKengen(12), 5);
    EXPECT_EQ(fnGetTantoshaKengen(13) + fnGetTantoshaKengen(14), 0);  // deleted, no rights
    t.exec("Drop Table 自社担当者Ｍ;");
    EXPECT_EQ(fnGetTantoshaKengen(12), -1);
    ASSERT_EQ(t.messages().messages().size(), 1u);
    EXPECT_EQ(t.messages().messages()[0].params[0], "自社担当者情報Ｍの読み込み");
    // Print formats in every order.
    t.exec(
        "Insert Into 内訳書出力形式Ｍ (削除区分, 内訳書出力形式ＩＤ, 内訳書出力形式名称) Values "
        "('0', 2, 'B形式'), ('0', 0, '無し'), ('0', 3, 'A形式'), ('1', 4, '旧'), ('0', 1, "
        "'C形式');");
    auto ids = [this](int16_t order) {
        std::vector<UchiwakeshoShutsuryokuKeishikiMRec> rows;
        EXPECT_TRUE(fnOmrix_DBT_UchiwakeshoShutsuryokuKeishikiM_Select(t.db(), rows, order));
        std::string out;
        for (const auto& row : rows) out += std::to_string(row.内訳書出力形式ＩＤ);
        return out;
    };
    // By ID up and down, by name up and down (A形式, B形式, C形式), as stored.
    EXPECT_EQ(ids(1) + ids(2) + ids(3) + ids(4) + ids(5), "123321321123231");
}

TEST_F(MasterTest, NameLookupsGiveEmptyForAnythingMissing) {
    t.exec(
        "Insert Into 設計社Ｍ (削除区分, 設計社ＣＤ, 設計社名) Values "
        "('0', 'S01     ', '丙設計事務所   '), ('0', 'O''K', 'クォート社');"
        "Insert Into 建物用途Ｍ (削除区分, 建物用途ＩＤ, 建物用途名称) Values "
        "('0', 5, '事務所'), ('1', 6, '倉庫');"
        "Insert Into 都道府県Ｍ (削除区分, 都道府県ＩＤ, 都道府県名称) Values ('0', 13, NULL);"
        "Insert Into 杭工法Ｍ (削除区分, 杭工法ＩＤ, 杭工法名称) Values ('0', 4, '場所打ち');");
    EXPECT_EQ(fnOmrix_DBT_SekkeishaM_GetName(t.db(), "  S01 "), "丙設計事務所");
    EXPECT_EQ(fnOmrix_DBT_SekkeishaM_GetName(t.db(), "O'K"), "クォート社");
    EXPECT_EQ(fnOmrix_DBT_SekkeishaM_GetName(t.db(), "S0"), "");
    EXPECT_EQ(fnOmrix_DBT_KuiKouhouM_GetName(t.db(), 4), "場所打ち");
    EXPECT_EQ(fnOmrix_DBT_TatemonoYoutoM_GetName(t.db(), 5) +
                  fnOmrix_DBT_TatemonoYoutoM_GetName(t.db(), 6),  // deleted
              "事務所");
    EXPECT_EQ(fnOmrix_DBT_TodoufukenM_GetName(t.db(), 13), "");  // NULL name
    t.exec("Drop Table 杭工法Ｍ;");
    EXPECT_EQ(fnOmrix_DBT_KuiKouhouM_GetName(t.db(), 4), "");
    EXPECT_TRUE(t.messages().messages().empty());
}

}  // namespace
}  // namespace omrix::data
