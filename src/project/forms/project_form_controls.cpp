#include "project/forms/project_form_controls.h"

namespace omrix::project {
namespace {

FormControl textBox(std::string name, std::string label, InputRule rule) {
    return textControl(std::move(name), std::move(label), rule, true, kBasicPage);
}

}  // namespace

void appendSiteControls(std::vector<FormControl>& c) {
    c.push_back(textBox("Txt_KojiName", "工事名", textRule(kKojiNameBytes)));
    c.push_back(textBox("Txt_KojiBasho", "工事場所", textRule(kSiteTextBytes)));
    c.push_back(textBox("Txt_Sekkeisha", "設計者名", textRule(kSiteTextBytes)));
    c.push_back(textBox("Txt_Yoto", "建物用途", textRule(kSiteTextBytes)));
    c.push_back(textBox("Txt_Suryo", "建物数量", kDecimalInput));
    c.push_back(textBox("Txt_Kozo", "構造", textRule(kShortTextBytes)));
    c.push_back(textBox("Txt_ChikaKai", "地下階", kFloorInput));
    c.push_back(textBox("Txt_ChijoKai", "地上階", kFloorInput));
    c.push_back(textBox("Txt_ToyaKai", "塔屋階", kFloorInput));
    const char* areaLabels[] = {"敷地面積", "建築面積", "延床面積", "施工床面積"};
    for (std::size_t i = 0; i < std::size(kAreaPairs); ++i) {
        FormControl area = textBox(std::string(kAreaPairs[i].box), areaLabels[i], kDecimalInput);
        area.unit = "（㎡）";
        c.push_back(area);
        FormControl tsubo = textBox(std::string(kAreaPairs[i].tsubo), "", kNoRule);
        tsubo.kind = ControlKind::TsuboLabel;
        tsubo.unit = "（坪）";
        c.push_back(tsubo);
    }
    c.push_back(textBox("Txt_Koki", "工期", textRule(kShortTextBytes)));
}

FormControl textControl(std::string name, std::string label, InputRule rule, bool setsChanged,
                        int32_t page, std::string frame) {
    return {.name = std::move(name),
            .label = std::move(label),
            .rule = rule,
            .setsChanged = setsChanged,
            .page = page,
            .frame = std::move(frame),
            .unit = {},
            .pair = {}};
}

std::string fullWidthNumber(std::size_t n) {
    std::string out;
    for (char digit : std::to_string(n)) {
        // U+FF10 + digit, as UTF-8: EF BC 90+digit
        out += "\xEF\xBC";
        out += static_cast<char>(0x90 + (digit - '0'));
    }
    return out;
}

void appendNumbered(std::vector<FormControl>& controls, std::string_view stem, std::size_t count,
                    std::string_view labelStem, const FormControl& like) {
    for (std::size_t i = 1; i <= count; ++i) {
        FormControl c = like;
        c.name = numberedName(stem, i);
        c.label = std::string(labelStem) + fullWidthNumber(i);
        controls.push_back(std::move(c));
    }
}

std::string numberedName(std::string_view stem, std::size_t n) {
    return std::string(stem) + std::to_string(n);
}

}  // namespace omrix::project
