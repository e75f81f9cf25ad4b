#pragma once
// Writing Excel workbooks through libxlsxwriter, in the terms the layouts use:
// millimetres for sizes, the two document faces, a few cell styles. One Workbook is
// one file; the first failure is kept and reported when the file is closed.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "reports/engine/report_design.h"
#include "util/currency.h"
#include "util/failure.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace omrix::reports {

// Font names as Excel and LibreOffice know the IPAex faces.
inline constexpr std::string_view kWorkbookMincho = "IPAex明朝";
inline constexpr std::string_view kWorkbookGothic = "IPAexゴシック";

enum class CellFace { Mincho, Gothic };
enum class CellAlign { Left, Center, Right, CenterAcross };
// Thin rules round the cell; Top and Bottom leave the side towards the other half of a
// two-row cell open.
enum class CellBox { None, Full, Top, Bottom };

struct CellStyle {
    CellFace face = CellFace::Mincho;
    double sizeMm = 3.0;  // the painter's text size, turned into points here
    CellAlign align = CellAlign::Left;
    bool bold = false;
    bool wrap = false;
    CellBox box = CellBox::None;
    bool shaded = false;  // the grey of heading cells
    std::string_view numberFormat = {};
};

// Number formats of the documents' figures.
inline constexpr std::string_view kQuantityFormat = "#,##0.000";
// Whole amounts grouped; an amount with decimals shows as many as it has (at most four),
// as the PDF prints them.
std::string_view moneyFormat(int64_t raw);

// A text as a cell holds it: util::cleanText, and a literal _xHHHH_ written as
// _x005F_xHHHH_, since readers take _xHHHH_ for the character of that code.
std::string workbookText(std::string_view text);

// Excel's units: points for heights, characters of the default font for widths.
double pointsOfMm(double mm);
double columnWidthOfMm(double mm);

struct PageSetup {
    Paper paper;
    PageMargins margins{.leftMm = 10, .topMm = 10, .rightMm = 10, .bottomMm = 10};
    std::vector<double> columnWidthsMm;  // of columns 0, 1, …
};

class Workbook;

class Worksheet {
  public:
    Worksheet(Workbook& book, lxw_worksheet* sheet) : book_(book), sheet_(sheet) {}

    // Paper, orientation, margins, one page wide, the column widths.
    void setPageSetup(const PageSetup& setup);
    // With constant memory, rows must come in order: set a row before its cells.
    void setRowHeightMm(uint32_t row, double mm);
    void text(uint32_t row, uint16_t column, std::string_view text, const CellStyle& style);
    void number(uint32_t row, uint16_t column, double value, const CellStyle& style);
    void blank(uint32_t row, uint16_t column, const CellStyle& style);
    // Figures as the documents print them: blank for 0, else a number in the money or
    // quantity format.
    void money(uint32_t row, uint16_t column, util::Currency value, CellStyle style);
    void quantity(uint32_t row, uint16_t column, double value, CellStyle style);
    // A text centred over columns first … last, running over the blank cells after it.
    void across(uint32_t row, uint16_t first, uint16_t last, std::string_view text,
                CellStyle style);
    // Only without constant memory.
    void merge(uint32_t row, uint16_t first, uint16_t last, std::string_view text,
               const CellStyle& style);
    // Rows (0-based) that begin a new printed page; Excel takes at most kMaxPageBreaks.
    void setPageBreaks(const std::vector<uint32_t>& rowsStartingPages);

    static constexpr std::size_t kMaxPageBreaks = 1023;

  private:
    Workbook& book_;
    lxw_worksheet* sheet_;
};

class Workbook {
  public:
    // constantMemory: rows go to disk as they are finished (rows must come in order).
    Workbook(const std::string& path, bool constantMemory, std::string_view title);
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    Worksheet& addSheet(std::string_view name);
    // Writes the file; the first failure met while filling it, else the write's own.
    util::Status close();

    lxw_format* format(const CellStyle& style);
    void check(int lxwError, std::string_view what);

  private:
    std::string path_;
    lxw_workbook* book_;
    std::string title_;
    std::vector<std::unique_ptr<Worksheet>> sheets_;
    std::map<std::string, lxw_format*> formats_;
    std::string error_;
};

}  // namespace omrix::reports
