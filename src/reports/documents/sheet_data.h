#pragma once
// The construction overview (工事概要) and estimate summary (見積要項) sheets: every
// field of their row under its label, as a list of form rows.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "data/core/variant.h"
#include "reports/engine/report_design.h"

namespace omrix::reports {

// One row read by column name (width-folded, ASCII case ignored), whatever its type.
class SheetRecord {
  public:
    void set(std::string_view column, data::Variant value);
    bool has(std::string_view column) const;
    // Right-trimmed text; "" for a missing or NULL column.
    std::string text(std::string_view column) const;
    // 0 for a missing, NULL or non-numeric column.
    double number(std::string_view column) const;

  private:
    std::map<std::string, data::Variant> values_;
};

struct SheetCell {
    std::string label;
    std::vector<std::string> lines;  // one or more text lines under the one label
};

// One or two cells side by side.
struct SheetRow {
    std::vector<SheetCell> cells;
    std::size_t lineCount() const;
};

struct SheetModel {
    std::string title;
    std::string reference;    // 物件No (and 版No), top right
    std::string company;      // the summary's sender, under the title
    std::string preamble;     // the summary's 文章, above "記"
    std::string projectName;  // 工事名称, for the document information
    bool withIntro = false;   // company, preamble and "記" take their band
    std::vector<SheetRow> rows;
};

SheetModel overviewSheet(const SheetRecord& row);
SheetModel summarySheet(const SheetRecord& row, std::string company);

struct SheetGeometry {
    PageMargins margins;
    double titleMm = 0;      // title band
    double introMm = 0;      // company, preamble and "記" of the summary
    double rowMm = 0;        // a row of one text line
    double subLineMm = 0;    // each line of a row of several
    double labelMm = 0;      // label column of a full-width row
    double pairLabelMm = 0;  // label column of each cell of a paired row
    double fontMm = 0;
};
const SheetGeometry& sheetGeometry();
double rowHeightMm(const SheetRow& row, const SheetGeometry& g);
// From the top margin to the bottom of the last row.
double sheetHeightMm(const SheetModel& model, const SheetGeometry& g);

// "1,234.56 ㎡（373.45 坪）"; "" when both are 0.
std::string areaText(double squareMetres, double tsubo);
// "地下 1 階　地上 8 階　塔屋 1 階"; "" when all three are 0.
std::string floorsText(double below, double above, double penthouse);
// "1" 有, "0" 無, anything else blank; a remark follows after a blank.
std::string presenceText(std::string_view flag, std::string_view remark);

}  // namespace omrix::reports
