#include "project/forms/koji_gaiyo_form.h"

namespace omrix::project {
namespace {

constexpr int32_t kTokkiPage = 1;
constexpr int32_t kWorksPage = 2;

// The 有無 pairs: buttons stem + "Ari"/"Nashi", 備考 box "Txt_" + stem.
struct WorkOption {
    std::string_view stem;
    std::string_view frame;
};
constexpr WorkOption kWorkOptions[] = {
    {.stem = "Kui", .frame = "杭工事"},     {.stem = "Yamatome", .frame = "山止工事"},
    {.stem = "Konai", .frame = "構内工事"}, {.stem = "Bowling", .frame = "ﾎﾞｰﾘﾝｸﾞﾃﾞｰﾀ"},
    {.stem = "Saini", .frame = "載荷試験"},
};

std::string ariName(std::string_view stem) {
    return "Opt_" + std::string(stem) + "Ari";
}
std::string nashiName(std::string_view stem) {
    return "Opt_" + std::string(stem) + "Nashi";
}
std::string bikouName(std::string_view stem) {
    return "Txt_" + std::string(stem);
}

auto gaiyouControls = [](auto& r, auto& v) {
    bindSiteControls(r, v);
    v("Txt_Hacchusha", r.発注者担当部署名);
    v("Txt_Hani", r.見積範囲);
    bindNumbered("Txt_Tokki", r.特記事項, kGaiyouTokkiLines, v);
    v.option(ariName("Kui"), r.杭有無);
    v(bikouName("Kui"), r.杭備考);
    v.option(ariName("Yamatome"), r.山止有無);
    v(bikouName("Yamatome"), r.山止備考);
    v.option(ariName("Konai"), r.構台有無);
    v(bikouName("Konai"), r.構台備考);
    v.option(ariName("Bowling"), r.ボーリングデータ有無);
    v(bikouName("Bowling"), r.ボーリングデータ備考);
    v.option(ariName("Saini"), r.載荷有無);
    v(bikouName("Saini"), r.載荷備考);
};

FormLayout buildLayout() {
    FormLayout l;
    l.pages = {"基本情報", "特記事項", "工事区分"};
    auto& c = l.controls;
    appendSiteControls(c);
    const auto afterSekkeisha = 3;  // 発注者名 follows 設計者名
    c.insert(c.begin() + afterSekkeisha,
             textControl("Txt_Hacchusha", "発注者名", kNoRule, false, kBasicPage));
    c.push_back(textControl("Txt_Hani", "見積範囲", textRule(kShortTextBytes), true, kBasicPage));
    appendNumbered(c, "Txt_Tokki", kGaiyouTokkiLines, "",
                   textControl("", "", kNoRule, false, kTokkiPage, "特記事項"));
    for (const auto& w : kWorkOptions) {
        FormControl pair =
            textControl(ariName(w.stem), "", kNoRule, false, kWorksPage, std::string(w.frame));
        pair.kind = ControlKind::Option;
        pair.pair = nashiName(w.stem);
        c.push_back(pair);
        c.push_back(textControl(bikouName(w.stem), "備考", kNoRule, false, kWorksPage,
                                std::string(w.frame)));
    }
    return l;
}

}  // namespace

const FormLayout& KojiGaiyoForm::layout() const {
    static const FormLayout l = buildLayout();
    return l;
}

const FormTexts& KojiGaiyoForm::texts() const {
    static constexpr FormTexts t{.table = "物件概要",
                                 .readAction = "物件概要の取得",
                                 .writeAction = "物件概要の書き込み",
                                 .saveProcedure = "fnWriteBukkenGaiyouInf"};
    return t;
}

bool KojiGaiyoForm::readRecord() {
    return fnOmrix_DBT_BukkenGaiyou_Select(database(), inputs().bukkenNo, rec_);
}

void KojiGaiyoForm::showRecord() {
    showFields(rec_, gaiyouControls);
}

bool KojiGaiyoForm::writeControls(int32_t id) {
    BukkenGaiyouRec r;
    r.物件概要ＩＤ = id;
    r.物件No = alignedBukkenNo(inputs().bukkenNo);
    takeFields(r, gaiyouControls);
    if (!fnOmrix_DBT_BukkenGaiyou_Update(database(), r, false)) return false;
    rec_ = std::move(r);
    return true;
}

void KojiGaiyoForm::fillFromMaster(const ProjectMasterData& master) {
    BukkenGaiyouRec r;
    r.物件概要ＩＤ = rec_.物件概要ＩＤ;
    r.物件No = inputs().bukkenNo;
    const SiteTakeOver names = siteTakeOver(database(), master);
    fillSiteFields(master, names, r);
    r.発注者担当部署名 = names.発注者担当部署名;
    const auto lines = firstLines(master.tokki.特記事項.trimmedRight(), kGaiyouTokkiLines);
    for (std::size_t i = 0; i < lines.size(); ++i) r.特記事項[i] = lines[i];
    rec_ = std::move(r);
}

}  // namespace omrix::project
