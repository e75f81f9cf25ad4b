#include "project/tables/project_master_data.h"

#include <cstdio>

#include "data/tables/master_names.h"
#include "platform/messages.h"
#include "util/aligned_text.h"
#include "util/text.h"

namespace omrix::project {
namespace {

constexpr std::string_view kLineEnd = "\r";
constexpr std::string_view kPeriodJoin = "～";

bool failed(std::string_view action, std::string_view procedureName) {
    platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, action, "", procedureName);
    return false;
}

std::string slashDate(const data::DateTime& d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", d.year % 10000, d.month % 100, d.day % 100);
    return text;
}

}  // namespace

bool fnReadProjectMasterData(data::CCCDBS_DataBase& db, std::string_view sBukkenNo,
                             std::string_view procedureName, ProjectMasterData& out) {
    out = ProjectMasterData{};
    if (!fnOmrix_DBT_BukkenKanri_Select(db, sBukkenNo, kMainBranch, out.kanri)) {
        return failed("物件管理情報の取得", procedureName);
    }
    const BukkenKanriRec& k = out.kanri;
    if (!fnOmrix_DBT_BukkenKiboKanri_Select(db, k.物件規模管理ＩＤ, out.kibo)) {
        return failed("物件規模管理情報の取得", procedureName);
    }
    if (!fnOmrix_DBT_BukkenKoujiBashoKanri_Select(db, k.物件工事場所管理ＩＤ, out.basho)) {
        return failed("物件工事場所管理情報の取得", procedureName);
    }
    if (!fnOmrix_DBT_BukkenKuiKanri_Select(db, k.物件杭管理ＩＤ, out.kui)) {
        return failed("物件杭管理情報の取得", procedureName);
    }
    if (!fnOmrix_DBT_BukkenTatemonoKanri_Select(db, k.物件建物管理ＩＤ, out.tatemono)) {
        return failed("物件建物管理情報の取得", procedureName);
    }
    if (!fnOmrix_DBT_BukkenTokkiKanri_Select(db, k.物件特記管理ＩＤ, out.tokki)) {
        return failed("物件特記管理情報の取得", procedureName);
    }
    return true;
}

SiteTakeOver siteTakeOver(data::CCCDBS_DataBase& db, const ProjectMasterData& m) {
    SiteTakeOver names;
    names.工事名称 = m.kanri.工事名称.trimmedRight();
    names.受渡し場所住所 = data::fnOmrix_DBT_TodoufukenM_GetName(db, m.basho.都道府県ＩＤ);
    names.受渡し場所住所 += m.basho.受渡し場所住所.trimmedRight();
    names.設計者担当部署名 = data::fnOmrix_DBT_SekkeishaM_GetName(db, m.kanri.設計社ＣＤ.str());
    names.発注者担当部署名 = data::fnOmrix_DBT_JishaM_GetName(db, m.kanri.自社ＣＤ.str());
    names.工期 =
        slashDate(m.tokki.工期ＦＲＯＭ) + std::string(kPeriodJoin) + slashDate(m.tokki.工期ＴＯ);
    names.構造区分名称 = data::fnOmrix_DBT_KouzouKubunM_GetName(db, m.kibo.構造区分ＩＤ);
    names.建物用途名称 = data::fnOmrix_DBT_TatemonoYoutoM_GetName(db, m.tatemono.主建物用途ＩＤ);
    return names;
}

std::vector<std::string> firstLines(std::string_view text, std::size_t count) {
    std::vector<std::string> pieces;
    util::fnSplitText(text, kLineEnd, pieces);
    if (pieces.size() > count) pieces.resize(count);
    for (auto& piece : pieces) {
        // A CR LF line end leaves the LF at the start of the next piece.
        std::string_view line = util::trimBlanks(piece);
        if (!line.empty() && line.front() == '\n') line = util::trimBlanks(line.substr(1));
        piece = std::string(line);
    }
    return pieces;
}

}  // namespace omrix::project
