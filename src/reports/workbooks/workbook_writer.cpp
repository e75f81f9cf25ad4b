#include "reports/workbooks/workbook_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "util/clean_text.h"

namespace omrix::reports {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;
constexpr double kPixelsPerInch = 96.0;
// The default font's widest digit and the cell padding, in pixels, by which Excel
// turns a column width in characters into pixels.
constexpr double kDigitPixels = 7.0;
constexpr double kPaddingPixels = 5.0;
constexpr uint8_t kPaperA4 = 9;
constexpr uint8_t kPaperJisB5 = 13;
constexpr uint8_t kShiftJisCharset = 128;
constexpr lxw_color_t kShade = 0xEEEEEE;

double inchesOfMm(double mm) {
    return mm / kMmPerInch;
}

uint8_t horizontal(CellAlign align) {
    switch (align) {
        case CellAlign::Center:
            return LXW_ALIGN_CENTER;
        case CellAlign::Right:
            return LXW_ALIGN_RIGHT;
        case CellAlign::CenterAcross:
            return LXW_ALIGN_CENTER_ACROSS;
        case CellAlign::Left:
            break;
    }
    return LXW_ALIGN_LEFT;
}

std::string styleKey(const CellStyle& s) {
    return std::to_string(static_cast<int>(s.face)) + '|' +
           std::to_string(std::lround(s.sizeMm * 100)) + '|' +
           std::to_string(static_cast<int>(s.align)) + '|' + (s.bold ? 'b' : '-') +
           (s.wrap ? 'w' : '-') + std::to_string(static_cast<int>(s.box)) + (s.shaded ? 's' : '-') +
           '|' + std::string(s.numberFormat);
}

void setBox(lxw_format* f, CellBox box) {
    if (box == CellBox::None) return;
    format_set_left(f, LXW_BORDER_THIN);
    format_set_right(f, LXW_BORDER_THIN);
    if (box != CellBox::Bottom) format_set_top(f, LXW_BORDER_THIN);
    if (box != CellBox::Top) format_set_bottom(f, LXW_BORDER_THIN);
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "_xHHHH_" at `at`, as a reader would decode it.
bool isCharacterCode(std::string_view text, std::size_t at) {
    if (at + 7 > text.size() || text[at] != '_' || (text[at + 1] != 'x' && text[at + 1] != 'X') ||
        text[at + 6] != '_')
        return false;
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at + 2),
                       text.begin() + static_cast<std::ptrdiff_t>(at + 6), isHex);
}

}  // namespace

std::string workbookText(std::string_view text) {
    const std::string clean = util::cleanText(text);
    if (clean.find('_') == std::string::npos) return clean;
    std::string out;
    out.reserve(clean.size() + 14);
    for (std::size_t i = 0; i < clean.size(); ++i) {
        // The underscore that opens a code is itself written as a code.
        if (isCharacterCode(clean, i)) out += "_x005F";
        out += clean[i];
    }
    return out;
}

std::string_view moneyFormat(int64_t raw) {
    static constexpr std::string_view kFormats[] = {"#,##0", "#,##0.0", "#,##0.00", "#,##0.000",
                                                    "#,##0.0000"};
    uint64_t fraction =
        (raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw)) % 10000;
    if (fraction == 0) return kFormats[0];
    int decimals = 4;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --decimals;
    }
    return kFormats[decimals];
}

double pointsOfMm(double mm) {
    return mm / kMmPerInch * kPointsPerInch;
}

double columnWidthOfMm(double mm) {
    double pixels = mm / kMmPerInch * kPixelsPerInch;
    if (pixels <= kDigitPixels + kPaddingPixels) return pixels / (kDigitPixels + kPaddingPixels);
    return (pixels - kPaddingPixels) / kDigitPixels;
}

void Worksheet::setPageSetup(const PageSetup& setup) {
    worksheet_set_paper(sheet_, setup.paper.size == PaperSize::JisB5 ? kPaperJisB5 : kPaperA4);
    if (setup.paper.landscape)
        worksheet_set_landscape(sheet_);
    else
        worksheet_set_portrait(sheet_);
    const PageMargins& m = setup.margins;
    worksheet_set_margins(sheet_, inchesOfMm(m.leftMm), inchesOfMm(m.rightMm), inchesOfMm(m.topMm),
                          inchesOfMm(m.bottomMm));
    // One page wide, as many tall as the manual breaks make.
    worksheet_fit_to_pages(sheet_, 1, 0);
    worksheet_gridlines(sheet_, LXW_HIDE_ALL_GRIDLINES);
    for (std::size_t c = 0; c < setup.columnWidthsMm.size(); ++c) {
        auto column = static_cast<lxw_col_t>(c);
        book_.check(worksheet_set_column(sheet_, column, column,
                                         columnWidthOfMm(setup.columnWidthsMm[c]), nullptr),
                    "column width");
    }
}

void Worksheet::setRowHeightMm(uint32_t row, double mm) {
    book_.check(worksheet_set_row(sheet_, row, pointsOfMm(mm), nullptr), "row height");
}

void Worksheet::text(uint32_t row, uint16_t column, std::string_view text, const CellStyle& style) {
    std::string owned = workbookText(text);
    if (owned.empty()) return blank(row, column, style);
    book_.check(worksheet_write_string(sheet_, row, column, owned.c_str(), book_.format(style)),
                "text cell");
}

void Worksheet::number(uint32_t row, uint16_t column, double value, const CellStyle& style) {
    book_.check(worksheet_write_number(sheet_, row, column, value, book_.format(style)),
                "number cell");
}

void Worksheet::blank(uint32_t row, uint16_t column, const CellStyle& style) {
    book_.check(worksheet_write_blank(sheet_, row, column, book_.format(style)), "blank cell");
}

void Worksheet::money(uint32_t row, uint16_t column, util::Currency value, CellStyle style) {
    if (value.raw() == 0) return blank(row, column, style);
    style.numberFormat = moneyFormat(value.raw());
    number(row, column, static_cast<double>(value.raw()) / util::Currency::kScale, style);
}

void Worksheet::quantity(uint32_t row, uint16_t column, double value, CellStyle style) {
    if (value == 0.0) return blank(row, column, style);
    style.numberFormat = kQuantityFormat;
    number(row, column, value, style);
}

void Worksheet::across(uint32_t row, uint16_t first, uint16_t last, std::string_view text,
                       CellStyle style) {
    style.align = CellAlign::CenterAcross;
    this->text(row, first, text, style);
    for (uint32_t c = first + 1u; c <= last; ++c) blank(row, static_cast<uint16_t>(c), style);
}

void Worksheet::merge(uint32_t row, uint16_t first, uint16_t last, std::string_view text,
                      const CellStyle& style) {
    std::string owned = workbookText(text);
    book_.check(
        worksheet_merge_range(sheet_, row, first, row, last, owned.c_str(), book_.format(style)),
        "merged cells");
}

void Worksheet::setPageBreaks(const std::vector<uint32_t>& rowsStartingPages) {
    if (rowsStartingPages.empty()) return;
    std::vector<lxw_row_t> breaks(
        rowsStartingPages.begin(),
        rowsStartingPages.begin() +
            static_cast<std::ptrdiff_t>(std::min(rowsStartingPages.size(), kMaxPageBreaks)));
    breaks.push_back(0);  // the list ends at 0
    book_.check(worksheet_set_h_pagebreaks(sheet_, breaks.data()), "page breaks");
}

Workbook::Workbook(const std::string& path, bool constantMemory, std::string_view title)
    : path_(path), title_(util::cleanText(title)) {
    lxw_workbook_options options{};
    options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
    book_ = workbook_new_opt(path_.c_str(), &options);
    if (book_ == nullptr) {
        error_ = "cannot start the workbook " + path_;
        return;
    }
    lxw_doc_properties properties{};
    properties.title = title_.data();
    properties.author = const_cast<char*>("omrix-print");
    check(workbook_set_properties(book_, &properties), "document properties");
}

Workbook::~Workbook() {
    // A workbook given up half-way still frees what libxlsxwriter holds; the file it
    // leaves is the caller's to remove.
    if (book_ != nullptr) workbook_close(book_);
}

Worksheet& Workbook::addSheet(std::string_view name) {
    std::string owned = util::cleanText(name);
    lxw_worksheet* sheet =
        book_ != nullptr ? workbook_add_worksheet(book_, owned.c_str()) : nullptr;
    if (sheet == nullptr && error_.empty()) error_ = "cannot add the worksheet " + owned;
    sheets_.push_back(std::make_unique<Worksheet>(*this, sheet));
    return *sheets_.back();
}

lxw_format* Workbook::format(const CellStyle& style) {
    if (book_ == nullptr) return nullptr;
    std::string key = styleKey(style);
    auto found = formats_.find(key);
    if (found != formats_.end()) return found->second;
    lxw_format* f = workbook_add_format(book_);
    std::string face(style.face == CellFace::Mincho ? kWorkbookMincho : kWorkbookGothic);
    format_set_font_name(f, face.c_str());
    format_set_font_charset(f, kShiftJisCharset);
    format_set_font_size(f, std::round(pointsOfMm(style.sizeMm) * 2) / 2);
    format_set_align(f, horizontal(style.align));
    format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    if (style.bold) format_set_bold(f);
    if (style.wrap) format_set_text_wrap(f);
    // A figure too wide for its table cell is set smaller, as the painter narrows it,
    // rather than shown as "###"; texts outside the table keep running over.
    if (!style.wrap && style.box != CellBox::None) format_set_shrink(f);
    setBox(f, style.box);
    if (style.shaded) {
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, kShade);
    }
    if (!style.numberFormat.empty()) {
        std::string pattern(style.numberFormat);
        format_set_num_format(f, pattern.c_str());
    }
    formats_.emplace(std::move(key), f);
    return f;
}

void Workbook::check(int lxwError, std::string_view what) {
    if (lxwError == LXW_NO_ERROR || !error_.empty()) return;
    error_ = std::string(what) + ": " + lxw_strerror(static_cast<lxw_error>(lxwError));
}

util::Status Workbook::close() {
    if (book_ == nullptr) return util::Failure(error_);
    lxw_error closed = workbook_close(book_);
    book_ = nullptr;
    if (error_.empty() && closed != LXW_NO_ERROR)
        error_ = "cannot write " + path_ + ": " + lxw_strerror(closed);
    if (!error_.empty()) return util::Failure(error_);
    return {};
}

}  // namespace omrix::reports
