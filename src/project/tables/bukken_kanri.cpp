#include "project/tables/bukken_kanri.h"

#include <string>

#include "project/tables/project_read.h"

namespace omrix::project {
namespace {

auto kanriFields = [](auto& r, auto& v) {
    v("表示Ｎｏ", r.表示Ｎｏ);
    v("物件管理ＩＤ", r.物件管理ＩＤ);
    v("物件No", r.物件No);
    v("物件No枝番", r.物件No枝番);
    v("工事名称", r.工事名称);
    v("工事略称", r.工事略称);
    v("予定区分", r.予定区分);
    v("ＪＶ構成企業", r.ＪＶ構成企業);
    v("物件工事場所管理ＩＤ", r.物件工事場所管理ＩＤ);
    v("事業所ＩＤ", r.事業所ＩＤ);
    v("物件種別ＩＤ", r.物件種別ＩＤ);
    v("物件建物管理ＩＤ", r.物件建物管理ＩＤ);
    v("物件規模管理ＩＤ", r.物件規模管理ＩＤ);
    v("自社担当者ＭＩＤ", r.自社担当者ＭＩＤ);
    v("自社ＣＤ", r.自社ＣＤ);
    v("自社ＣＤ２", r.自社ＣＤ２);
    v("他社担当者ＭＩＤ", r.他社担当者ＭＩＤ);
    v("他社ＣＤ", r.他社ＣＤ);
    v("他社ＣＤ２", r.他社ＣＤ２);
    v("設計担当者ＭＩＤ", r.設計担当者ＭＩＤ);
    v("設計社ＣＤ", r.設計社ＣＤ);
    v("物件杭管理ＩＤ", r.物件杭管理ＩＤ);
    v("物件主仕上管理ＩＤ", r.物件主仕上管理ＩＤ);
    v("物件特記管理ＩＤ", r.物件特記管理ＩＤ);
    v("備考", r.備考);
};

}  // namespace

bool fnOmrix_DBT_BukkenKanri_Select(data::CCCDBS_DataBase& db, std::string_view sBukkenNo,
                                    std::string_view sEdaban, BukkenKanriRec& rec) {
    rec = BukkenKanriRec{};
    std::string sql = "Select * From 物件管理  Where 削除区分 = '0' And " +
                      codeCondition("物件No", sBukkenNo) + " AND " +
                      codeCondition("物件No枝番", sEdaban) + ";";
    return readFirstRow(db, sql, rec, kanriFields);
}

}  // namespace omrix::project
