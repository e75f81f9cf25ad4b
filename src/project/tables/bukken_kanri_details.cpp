#include "project/tables/bukken_kanri_details.h"

#include <string>
#include <string_view>

#include "project/tables/project_read.h"

namespace omrix::project {
namespace {

auto kiboFields = [](auto& r, auto& v) {
    v("物件規模管理ＩＤ", r.物件規模管理ＩＤ);
    v("構造区分ＩＤ", r.構造区分ＩＤ);
    v("地下階", r.地下階);
    v("地上階", r.地上階);
    v("ＰＨ階", r.ＰＨ階);
    v("軒高", r.軒高);
    v("敷地面積", r.敷地面積);
    v("建築面積", r.建築面積);
    v("延床面積", r.延床面積);
    v("施工床面積", r.施工床面積);
    v("ボーリングデータ有無", r.ボーリングデータ有無);
};

auto koujiBashoFields = [](auto& r, auto& v) {
    v("物件工事場所管理ＩＤ", r.物件工事場所管理ＩＤ);
    v("都道府県ＩＤ", r.都道府県ＩＤ);
    v("受渡し場所郵便番号", r.受渡し場所郵便番号);
    v("受渡し場所住所", r.受渡し場所住所);
    v("受渡し場所所長名", r.受渡し場所所長名);
    v("受渡し場所担当者名", r.受渡し場所担当者名);
    v("受渡し場所電話番号", r.受渡し場所電話番号);
    v("受渡し場所ＦＡＸ番号", r.受渡し場所ＦＡＸ番号);
};

auto kuiFields = [](auto& r, auto& v) {
    v("物件杭管理ＩＤ", r.物件杭管理ＩＤ);
    v("杭工法ＩＤ", r.杭工法ＩＤ);
    v("杭長さ", r.杭長さ);
    v("杭本数", r.杭本数);
    v("杭径", r.杭径);
    v("基礎種類ＩＤ", r.基礎種類ＩＤ);
};

auto tatemonoFields = [](auto& r, auto& v) {
    v("物件建物管理ＩＤ", r.物件建物管理ＩＤ);
    v("建物分類ＩＤ", r.建物分類ＩＤ);
    v("主建物用途ＩＤ", r.主建物用途ＩＤ);
    v("副建物用途ＩＤ", r.副建物用途ＩＤ);
    v("建物数量", r.建物数量);
};

auto tokkiFields = [](auto& r, auto& v) {
    v("物件特記管理ＩＤ", r.物件特記管理ＩＤ);
    v("工期ＦＲＯＭ", r.工期ＦＲＯＭ);
    v("工期ＴＯ", r.工期ＴＯ);
    v("工事No", r.工事No);
    v("契約金額", r.契約金額);
    v("支払条件", r.支払条件);
    v("特記事項", r.特記事項);
};

template <typename Record, typename FieldList>
bool selectById(data::CCCDBS_DataBase& db, std::string_view table, std::string_view idColumn,
                int32_t id, Record& rec, FieldList fields) {
    rec = Record{};
    std::string sql = "Select * From ";
    sql += table;
    sql += "  Where 削除区分 = '0' And " + idCondition(idColumn, id) + ";";
    return readFirstRow(db, sql, rec, fields);
}

}  // namespace

bool fnOmrix_DBT_BukkenKiboKanri_Select(data::CCCDBS_DataBase& db, int32_t lID,
                                        BukkenKiboKanriRec& rec) {
    return selectById(db, "物件規模管理", "物件規模管理ＩＤ", lID, rec, kiboFields);
}

bool fnOmrix_DBT_BukkenKoujiBashoKanri_Select(data::CCCDBS_DataBase& db, int32_t lID,
                                              BukkenKoujiBashoKanriRec& rec) {
    return selectById(db, "物件工事場所管理", "物件工事場所管理ＩＤ", lID, rec, koujiBashoFields);
}

bool fnOmrix_DBT_BukkenKuiKanri_Select(data::CCCDBS_DataBase& db, int32_t lID,
                                       BukkenKuiKanriRec& rec) {
    return selectById(db, "物件杭管理", "物件杭管理ＩＤ", lID, rec, kuiFields);
}

bool fnOmrix_DBT_BukkenTatemonoKanri_Select(data::CCCDBS_DataBase& db, int32_t lID,
                                            BukkenTatemonoKanriRec& rec) {
    return selectById(db, "物件建物管理", "物件建物管理ＩＤ", lID, rec, tatemonoFields);
}

bool fnOmrix_DBT_BukkenTokkiKanri_Select(data::CCCDBS_DataBase& db, int32_t lID,
                                         BukkenTokkiKanriRec& rec) {
    return selectById(db, "物件特記管理", "物件特記管理ＩＤ", lID, rec, tokkiFields);
}

}  // namespace omrix::project
