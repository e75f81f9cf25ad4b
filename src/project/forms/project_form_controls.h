#pragma once
// The controls of a project form as data: name, caption, input rule, whether an edit
// marks the sheet changed, and where the control sits (tab page, frame). The windows
// are built from these tables; the core form keeps one text per control.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "project/forms/field_input_rules.h"

namespace omrix::project {

enum class ControlKind {
    TextBox,
    TsuboLabel,  // computed; shown beside its area box
    Option,      // an Ari / Nashi pair; its 備考 box follows as a control of its own
};

struct FormControl {
    std::string name;   // Txt_…, Lbl_…tubo, or the Ari button Opt_…Ari
    std::string label;  // caption before the control
    InputRule rule = kNoRule;
    bool setsChanged = false;
    int32_t page = 0;   // tab page
    std::string frame;  // frame caption; empty: no frame
    ControlKind kind = ControlKind::TextBox;
    std::string unit;  // caption after the control ("（㎡）")
    std::string pair;  // Option: the Nashi button
};

struct FormLayout {
    std::vector<std::string> pages;  // tab captions
    std::vector<FormControl> controls;
};

// The four area boxes and their tsubo labels.
struct AreaPair {
    std::string_view box;
    std::string_view tsubo;
};
inline constexpr AreaPair kAreaPairs[] = {
    {.box = "Txt_Shikichim", .tsubo = "Lbl_Shikichitubo"},
    {.box = "Txt_Kenchikum", .tsubo = "Lbl_Kenchikutubo"},
    {.box = "Txt_Nobeyukam", .tsubo = "Lbl_Nobeyukatubo"},
    {.box = "Txt_Sekoyukam", .tsubo = "Lbl_Sekoyukatubo"},
};

inline constexpr int32_t kBasicPage = 0;
inline constexpr int32_t kSiteTextBytes = 128;
inline constexpr int32_t kKojiNameBytes = 76;
inline constexpr int32_t kShortTextBytes = 64;

// The site and building controls both forms show, on the first page, all marking the
// sheet changed: 工事名 … 施工床面積 with the tsubo labels, then 工期.
void appendSiteControls(std::vector<FormControl>& controls);

// The caption of a numbered box: "１" … "１１".
std::string fullWidthNumber(std::size_t n);

// "Txt_Tokki1" … for numbered boxes.
std::string numberedName(std::string_view stem, std::size_t n);

// A text box of its own caption and rule.
FormControl textControl(std::string name, std::string label, InputRule rule, bool setsChanged,
                        int32_t page, std::string frame = {});

// Boxes stem1 … stemN in one frame, captioned labelStem with full-width numbers.
void appendNumbered(std::vector<FormControl>& controls, std::string_view stem, std::size_t count,
                    std::string_view labelStem, const FormControl& like);

// The controls of the site fields as a record mapping (see ProjectForm::showFields).
template <typename Rec, typename Visit>
void bindSiteControls(Rec& r, Visit& v) {
    v("Txt_KojiName", r.工事名称);
    v("Txt_KojiBasho", r.受渡し場所住所);
    v("Txt_Sekkeisha", r.設計者担当部署名);
    v("Txt_Yoto", r.建物用途名称);
    v("Txt_Suryo", r.建物数量);
    v("Txt_Kozo", r.構造区分名称);
    v("Txt_ChikaKai", r.地下階);
    v("Txt_ChijoKai", r.地上階);
    v("Txt_ToyaKai", r.ＰＨ階);
    v("Txt_Shikichim", r.敷地面積);
    v("Txt_Kenchikum", r.建築面積);
    v("Txt_Nobeyukam", r.延床面積);
    v("Txt_Sekoyukam", r.施工床面積);
    v("Lbl_Shikichitubo", r.敷地面積坪);
    v("Lbl_Kenchikutubo", r.建築面積坪);
    v("Lbl_Nobeyukatubo", r.延床面積坪);
    v("Lbl_Sekoyukatubo", r.施工床面積坪);
    v("Txt_Koki", r.工期);
}

// Numbered boxes over an array of fields.
template <typename Array, typename Visit>
void bindNumbered(std::string_view stem, Array& fields, std::size_t count, Visit& v) {
    for (std::size_t i = 0; i < count; ++i) v(numberedName(stem, i + 1), fields[i]);
}

}  // namespace omrix::project
