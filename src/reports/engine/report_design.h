#pragma once
// The eight report designs the program carries: what each reads, on what paper, and
// how many formula fields it has. Geometry inside a page belongs to the layouts.

#include <cstddef>
#include <string_view>
#include <vector>

namespace omrix::reports {

enum class ReportDesign {
    B5_UCHIWAKESHO,
    A4YOKOUCHIWAKESHO,
    PRINT_A4TATE,
    PRINT_A4EXP,
    PRINTA4YOKO,
    PRINT_DAIKA,
    PRINT_GAIYOU,
    PRINT_YOUKOU,
};
inline constexpr std::size_t kDesignCount =
    static_cast<std::size_t>(ReportDesign::PRINT_YOUKOU) + 1;

// The statement design of a layout that has no page geometry of its own.
inline constexpr ReportDesign kDefaultStatementDesign = ReportDesign::A4YOKOUCHIWAKESHO;

enum class DocumentKind { Statement, UnitPriceTables, Overview, Summary };

enum class PaperSize { A4, JisB5 };

struct Paper {
    PaperSize size = PaperSize::A4;
    bool landscape = false;
    double widthMm = 0;  // as the page is read, landscape already turned
    double heightMm = 0;
};

// The white space around what a page prints.
struct PageMargins {
    double leftMm = 0;
    double topMm = 0;
    double rightMm = 0;
    double bottomMm = 0;

    double innerWidthMm(const Paper& paper) const { return paper.widthMm - leftMm - rightMm; }
};

inline constexpr Paper kB5Portrait{
    .size = PaperSize::JisB5, .landscape = false, .widthMm = 182.0, .heightMm = 257.0};
inline constexpr Paper kA4Portrait{
    .size = PaperSize::A4, .landscape = false, .widthMm = 210.0, .heightMm = 297.0};
inline constexpr Paper kA4Landscape{
    .size = PaperSize::A4, .landscape = true, .widthMm = 297.0, .heightMm = 210.0};

struct DesignInfo {
    ReportDesign design;
    std::string_view name;
    DocumentKind kind;
    std::string_view title;  // the heading printed on the document
    Paper paper;
    std::vector<std::string_view> tables;  // default location of tables 1, 2, ...
    int formulaFieldCount;
};

const DesignInfo& designInfo(ReportDesign design);
// Null for a name that is no design of this program. Names compare exactly.
const DesignInfo* findDesign(std::string_view name);
const std::vector<ReportDesign>& allDesigns();

}  // namespace omrix::reports
