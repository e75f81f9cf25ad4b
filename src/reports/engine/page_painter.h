#pragma once
// Drawing on a report page in millimetres. The report sets the painter up so that one
// unit is a tenth of a millimetre; layouts speak millimetres through this class.

#include <QFont>
#include <QPainter>
#include <QString>
#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "reports/engine/report_fonts.h"

namespace omrix::reports {

inline constexpr double kUnitsPerMm = 10.0;

struct MmRect {
    double x = 0, y = 0, w = 0, h = 0;
    double right() const { return x + w; }
    double bottom() const { return y + h; }
    MmRect inset(double dx, double dy = 0) const {
        return {x + dx, y + dy, w - 2 * dx, h - 2 * dy};
    }
    MmRect upperHalf() const { return {x, y, w, h / 2}; }
    MmRect lowerHalf() const { return {x, y + h / 2, w, h / 2}; }
};

enum class Align { Left, Center, Right };
enum class Face { Gothic, Mincho };

struct TextStyle {
    double sizeMm = 3.0;
    Face face = Face::Mincho;
    Align align = Align::Left;
    bool bold = false;
};

// A text as a page shows it, where it shows it: what find searches and highlights.
struct PageText {
    MmRect box;
    QString text;
};

class PagePainter {
  public:
    PagePainter(QPainter& painter, const ReportFonts& fonts) : painter_(&painter), fonts_(fonts) {}
    // Paints nothing: collects the page's texts with their boxes instead.
    PagePainter(std::vector<PageText>& texts, const ReportFonts& fonts)
        : texts_(&texts), fonts_(fonts) {}

    // Texts painted from now on holding a character no installed font draws go into
    // `texts` (they print with a box for it).
    void collectUndrawable(std::set<QString>& texts) { undrawable_ = &texts; }

    // One line of text, centred vertically in the box. Text wider than the box is
    // narrowed to fit, down to half its width; what still does not fit is cut with
    // an ellipsis.
    void text(const MmRect& box, std::string_view text, const TextStyle& style);
    void text(const MmRect& box, const QString& text, const TextStyle& style);
    void text(const MmRect& box, const char* text, const TextStyle& style) {
        this->text(box, std::string_view(text), style);
    }
    // Up to two lines: the text breaks where the first line is full, the rest goes
    // below (narrowed or cut as text() does). A text that fits stays one line, centred.
    void wrappedText(const MmRect& box, std::string_view text, const TextStyle& style);
    double textWidthMm(const QString& text, const TextStyle& style);
    // An upper and a lower line; a line alone, upper or lower, is centred in the box.
    void twoLines(const MmRect& box, std::string_view upper, std::string_view lower,
                  const TextStyle& style);
    void line(double x1, double y1, double x2, double y2, double weightMm = 0.15);
    void frame(const MmRect& box, double weightMm = 0.15);
    void fill(const MmRect& box, const QColor& color);

  private:
    // The text as pageText() gave it.
    void paintText(const MmRect& box, const QString& text, const TextStyle& style);
    const QFont& font(const TextStyle& style);
    QPaintDevice* device() const { return painter_ ? painter_->device() : nullptr; }

    QPainter* painter_ = nullptr;
    std::vector<PageText>* texts_ = nullptr;
    std::set<QString>* undrawable_ = nullptr;
    const ReportFonts& fonts_;
    std::map<int, QFont> cache_;  // by size, face and weight
};

// What reaches the page of any text: util::lineText, so that no bad byte or control
// character shows as a box.
QString pageText(std::string_view text);

// True when every character of the text has a glyph in the font or in a font Qt
// falls back to for it.
bool drawsEveryCharacter(const QFont& font, const QString& text);

// A document title as painted; kept solid so that it reads back as one word.
QString titleText(std::string_view title);

}  // namespace omrix::reports
