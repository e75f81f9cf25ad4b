#include "reports/workbooks/workbook_fit.h"

#include <algorithm>

namespace omrix::reports {
namespace {

constexpr double kNarrowEm = 0.6;
// Excel keeps about a millimetre and a half of a column from its text.
constexpr double kCellPaddingMm = 1.5;
// A line of text takes its size and its leading; the row keeps a little above and below.
constexpr double kLineSpacing = 1.35;
constexpr double kRowPaddingMm = 1.0;

// The em width of the character at `i`, which moves past it.
double charEm(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    length = std::min(length, text.size() - i);
    const std::string_view ch = text.substr(i, length);
    i += length;
    if (lead < 0x80) return kNarrowEm;
    // Half-width katakana (U+FF61–U+FF9F, EF BD A1 – EF BE 9F) are narrow too.
    if (ch.size() == 3 && ch >= "\xEF\xBD\xA1" && ch <= "\xEF\xBE\x9F") return kNarrowEm;
    return 1.0;
}

}  // namespace

double cellTextWidthMm(std::string_view text, double sizeMm) {
    double em = 0;
    for (std::size_t i = 0; i < text.size();) em += charEm(text, i);
    return em * sizeMm;
}

double wrappedHeightMm(std::string_view text, double widthMm, double sizeMm) {
    const double usable = std::max(sizeMm, widthMm - kCellPaddingMm);
    int lines = 1;
    double x = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\n') {
            ++lines;
            x = 0;
            ++i;
            continue;
        }
        const double w = charEm(text, i) * sizeMm;
        if (x > 0 && x + w > usable) {
            ++lines;
            x = 0;
        }
        x += w;
    }
    return lines * sizeMm * kLineSpacing + kRowPaddingMm;
}

}  // namespace omrix::reports
