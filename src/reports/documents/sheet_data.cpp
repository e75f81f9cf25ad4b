#include "reports/documents/sheet_data.h"

#include <algorithm>

#include "data/drivers/sql_text.h"
#include "reports/engine/money_text.h"
#include "util/numbers.h"
#include "util/text.h"

namespace omrix::reports {
namespace {

SheetRow one(std::string label, std::string text) {
    return {{{std::move(label), {std::move(text)}}}};
}

SheetRow pair(std::string label1, std::string text1, std::string label2, std::string text2) {
    return {{{std::move(label1), {std::move(text1)}}, {std::move(label2), {std::move(text2)}}}};
}

std::vector<std::string> numbered(const SheetRecord& row, std::string_view stem, int count) {
    static const char* const kDigits[] = {"１", "２", "３", "４",   "５",  "６",
                                          "７", "８", "９", "１０", "１１"};
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(row.text(std::string(stem) + kDigits[i]));
    return lines;
}

std::string plainNumber(double value, std::string_view unit) {
    if (value == 0.0) return {};
    return util::doubleToText(value) + std::string(unit);
}

std::string area(const SheetRecord& row, std::string_view stem) {
    return areaText(row.number(stem), row.number(std::string(stem) + "坪"));
}

// The fields both sheets share, in the order of the project's record.
void commonRows(const SheetRecord& row, std::vector<SheetRow>& rows) {
    rows.push_back(one("工事名", row.text("工事名称")));
    rows.push_back(one("工事略称", row.text("工事略称")));
    rows.push_back(one("事業所", row.text("事業所名称")));
    rows.push_back(one("工事場所", row.text("受渡し場所住所")));
    rows.push_back(
        pair("設計者名", row.text("設計者担当部署名"), "発注者名", row.text("発注者担当部署名")));
    rows.push_back(pair("建物用途", row.text("建物用途名称"), "建物数量",
                        plainNumber(row.number("建物数量"), " 棟")));
    rows.push_back(
        pair("構造", row.text("構造区分名称"), "階数",
             floorsText(row.number("地下階"), row.number("地上階"), row.number("ＰＨ階"))));
    rows.push_back(
        pair("軒高", decimalText(row.number("軒高"), 2) + (row.number("軒高") != 0.0 ? " m" : ""),
             "工期", row.text("工期")));
    rows.push_back(pair("敷地面積", area(row, "敷地面積"), "建築面積", area(row, "建築面積")));
    rows.push_back(pair("延床面積", area(row, "延床面積"), "施工床面積", area(row, "施工床面積")));
}

std::string reference(const SheetRecord& row, bool withVersion) {
    std::string no = std::string(util::trimBlanks(row.text("物件No")));
    std::string han = std::string(util::trimBlanks(row.text("版No")));
    std::string out;
    if (!no.empty()) out = "物件No. " + no;
    if (withVersion && !han.empty()) out += (out.empty() ? "" : "　") + std::string("版 ") + han;
    return out;
}

}  // namespace

void SheetRecord::set(std::string_view column, data::Variant value) {
    values_[data::columnNameKey(column)] = std::move(value);
}

bool SheetRecord::has(std::string_view column) const {
    return values_.count(data::columnNameKey(column)) != 0;
}

std::string SheetRecord::text(std::string_view column) const {
    auto found = values_.find(data::columnNameKey(column));
    if (found == values_.end()) return {};
    return std::string(util::trimBlanksRight(data::variantToText(found->second)));
}

double SheetRecord::number(std::string_view column) const {
    auto found = values_.find(data::columnNameKey(column));
    if (found == values_.end()) return 0;
    if (const auto* i = std::get_if<int64_t>(&found->second)) return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&found->second)) return *d;
    return util::fnCDblTextOr(data::variantToText(found->second), 0.0);
}

std::size_t SheetRow::lineCount() const {
    std::size_t n = 1;
    for (const SheetCell& cell : cells) n = std::max(n, cell.lines.size());
    return n;
}

std::string areaText(double squareMetres, double tsubo) {
    if (squareMetres == 0.0 && tsubo == 0.0) return {};
    std::string out = util::formatNumber(squareMetres, "#,##0.00") + " ㎡";
    if (tsubo != 0.0) out += "（" + util::formatNumber(tsubo, "#,##0.00") + " 坪）";
    return out;
}

std::string floorsText(double below, double above, double penthouse) {
    if (below == 0.0 && above == 0.0 && penthouse == 0.0) return {};
    auto floors = [](double n) { return util::doubleToText(n); };
    return "地下 " + floors(below) + " 階　地上 " + floors(above) + " 階　塔屋 " +
           floors(penthouse) + " 階";
}

std::string presenceText(std::string_view flag, std::string_view remark) {
    std::string_view f = util::trimBlanks(flag);
    std::string out = f == "1" ? "有" : f == "0" ? "無" : "";
    std::string_view r = util::trimBlanks(remark);
    if (!r.empty()) out += (out.empty() ? "" : "　") + std::string(r);
    return out;
}

SheetModel overviewSheet(const SheetRecord& row) {
    SheetModel model;
    model.title = "工事概要";
    model.reference = reference(row, false);
    model.projectName = row.text("工事名称");
    commonRows(row, model.rows);
    model.rows.push_back(one("見積範囲", row.text("見積範囲")));
    model.rows.push_back({{{"特記事項", numbered(row, "特記事項", 5)}}});
    model.rows.push_back(pair("杭工事", presenceText(row.text("杭有無"), row.text("杭備考")),
                              "山止工事",
                              presenceText(row.text("山止有無"), row.text("山止備考"))));
    model.rows.push_back(pair(
        "構内工事", presenceText(row.text("構台有無"), row.text("構台備考")), "ボーリングデータ",
        presenceText(row.text("ボーリングデータ有無"), row.text("ボーリングデータ備考"))));
    model.rows.push_back(one("載荷試験", presenceText(row.text("載荷有無"), row.text("載荷備考"))));
    return model;
}

SheetModel summarySheet(const SheetRecord& row, std::string company) {
    SheetModel model;
    model.title = "見積要項";
    model.reference = reference(row, true);
    model.projectName = row.text("工事名称");
    model.company = std::move(company);
    model.withIntro = true;
    model.preamble = row.text("文章");
    commonRows(row, model.rows);
    model.rows.push_back(one("付帯工事", row.text("付帯工事")));
    model.rows.push_back({{{"支払条件", numbered(row, "支払条件", 6)}}});
    model.rows.push_back(
        {{{"杭", numbered(row, "杭", 4)}, {"別途工事", numbered(row, "別途工事", 5)}}});
    model.rows.push_back({{{"備考", numbered(row, "備考", 11)}}});
    return model;
}

const SheetGeometry& sheetGeometry() {
    static const SheetGeometry g{
        .margins = {.leftMm = 18, .topMm = 14, .rightMm = 18, .bottomMm = 14},
        .titleMm = 22,
        .introMm = 30,
        .rowMm = 7.6,
        .subLineMm = 4.9,
        .labelMm = 26,
        .pairLabelMm = 26,
        .fontMm = 3.1,
    };
    return g;
}

double rowHeightMm(const SheetRow& row, const SheetGeometry& g) {
    std::size_t lines = row.lineCount();
    return lines <= 1 ? g.rowMm : static_cast<double>(lines) * g.subLineMm + 1.6;
}

double sheetHeightMm(const SheetModel& model, const SheetGeometry& g) {
    double height = g.titleMm + (model.withIntro ? g.introMm : 0.0);
    for (const SheetRow& row : model.rows) height += rowHeightMm(row, g);
    return height;
}

}  // namespace omrix::reports
