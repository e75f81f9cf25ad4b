#include "project/forms/mitsumoriyoko_form.h"

#include "data/tables/master_names.h"
#include "util/numbers.h"

namespace omrix::project {
namespace {

constexpr int32_t kConditionsPage = 1;
constexpr int32_t kRemarksPage = 2;

auto youkouControls = [](auto& r, auto& v) {
    bindSiteControls(r, v);
    v("Txt_FutaiKoji", r.付帯工事);
    bindNumbered("Txt_ShiharaiJoken", r.支払条件, kShiharaiBoxes, v);
    bindNumbered("Txt_Kui", r.杭, kKuiLines, v);
    bindNumbered("Txt_BettoKoji", r.別途工事, kBettoKojiLines, v);
    bindNumbered("Txt_Bikou", r.備考, kBikouLines, v);
    v("Txt_Bunsho", r.文章);
};

FormLayout buildLayout() {
    FormLayout l;
    l.pages = {"基本情報", "支払条件・杭", "別途工事・備考"};
    auto& c = l.controls;
    appendSiteControls(c);
    const InputRule shortText = textRule(kShortTextBytes);
    c.push_back(textControl("Txt_FutaiKoji", "付帯工事", shortText, true, kBasicPage));
    appendNumbered(c, "Txt_ShiharaiJoken", kShiharaiBoxes, "",
                   textControl("", "", shortText, true, kConditionsPage, "支払条件"));
    appendNumbered(c, "Txt_Kui", kKuiLines, "",
                   textControl("", "", shortText, true, kConditionsPage, "杭"));
    appendNumbered(c, "Txt_BettoKoji", kBettoKojiLines, "",
                   textControl("", "", shortText, true, kRemarksPage, "別途工事"));
    appendNumbered(c, "Txt_Bikou", kBikouLines, "",
                   textControl("", "", shortText, true, kRemarksPage, "備考"));
    c.push_back(textControl("Txt_Bunsho", "文章", textRule(kSiteTextBytes), true, kBasicPage));
    return l;
}

}  // namespace

std::array<std::string, kKuiLines> kuiLines(std::string_view kouhouName,
                                            const BukkenKuiKanriRec& kui) {
    return {"工法  " + std::string(kouhouName), "径　  " + std::to_string(kui.杭径) + "Φ",
            "実長  " + util::doubleToText(kui.杭長さ) + "ｍ",
            "本数  " + std::to_string(kui.杭本数) + "本"};
}

const FormLayout& MitsumoriyokoForm::layout() const {
    static const FormLayout l = buildLayout();
    return l;
}

const FormTexts& MitsumoriyokoForm::texts() const {
    static constexpr FormTexts t{.table = "物件見積要項",
                                 .readAction = "物件見積要項の取得",
                                 .writeAction = "物件見積要項の書き込み",
                                 .saveProcedure = "fnWriteBukkenMitsumoriyokoInf"};
    return t;
}

bool MitsumoriyokoForm::readRecord() {
    return fnOmrix_DBT_BukkenMitsumoriYoukou_Select(database(), inputs().bukkenNo, inputs().hanNo,
                                                    rec_);
}

void MitsumoriyokoForm::showRecord() {
    showFields(rec_, youkouControls);
}

bool MitsumoriyokoForm::writeControls(int32_t id) {
    BukkenMitsumoriYoukouRec r;
    r.物件見積要項ＩＤ = id;
    r.物件No = alignedBukkenNo(inputs().bukkenNo);
    r.版No = inputs().hanNo;
    takeFields(r, youkouControls);
    if (!fnOmrix_DBT_BukkenMitsumoriYoukou_Update(database(), r, false)) return false;
    rec_ = std::move(r);
    return true;
}

void MitsumoriyokoForm::fillFromMaster(const ProjectMasterData& master) {
    BukkenMitsumoriYoukouRec r;
    r.物件見積要項ＩＤ = rec_.物件見積要項ＩＤ;
    r.物件No = inputs().bukkenNo;
    r.版No = inputs().hanNo;
    fillSiteFields(master, siteTakeOver(database(), master), r);
    // The labels recompute the tsubo figures from these when shown.
    r.敷地面積坪 = r.敷地面積;
    r.建築面積坪 = r.建築面積;
    r.延床面積坪 = r.延床面積;
    r.施工床面積坪 = r.施工床面積;
    const auto kui = kuiLines(
        data::fnOmrix_DBT_KuiKouhouM_GetName(database(), master.kui.杭工法ＩＤ), master.kui);
    for (std::size_t i = 0; i < kui.size(); ++i) r.杭[i] = kui[i];
    const auto lines = firstLines(master.tokki.支払条件.trimmedRight(), kShiharaiTakeOverLines);
    for (std::size_t i = 0; i < lines.size(); ++i) r.支払条件[i] = lines[i];
    r.文章 = kDefaultBunsho;
    rec_ = std::move(r);
}

}  // namespace omrix::project
