#pragma once
// Drawing on a report page in millimetres. The report sets the painter up so that one
// unit is a tenth of a millimetre; layouts speak millimetres through this class.

#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>
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
    struct Fit {
        TextStyle style;    // at the size chosen
        QStringList lines;  // each no wider than the box allows narrowed
        bool whole = true;  // false when the last line was cut
        // Measured once for every painting of the fit:
        std::vector<double> widths;  // of each line, unnarrowed
        double scale = 1.0;          // one narrowing for all the lines of the box
        double ascent = 0, descent = 0;
        QStringList undrawable;  // the texts holding a character no font draws
    };

  public:
    // The fonts at the device's resolution and the layouts of texts in boxes, kept from
    // page to page of one painting: a font made anew resolves its glyphs anew, under a
    // lock every painting thread shares. One per thread.
    class Cache {
        friend class PagePainter;
        int dpi_ = 0;
        std::map<int, QFont> fonts_;  // by size, face and weight
        // Emptied when it holds this many.
        static constexpr std::size_t kMostLayouts = 4096;
        std::unordered_map<QString, Fit> layouts_;
    };

    // Without a cache of the caller's, the painter keeps one for its page.
    PagePainter(QPainter& painter, const ReportFonts& fonts, Cache* cache = nullptr);
    // Paints nothing: collects the page's texts with their boxes instead.
    PagePainter(std::vector<PageText>& texts, const ReportFonts& fonts)
        : texts_(&texts), fonts_(fonts), cache_(&own_) {}
    PagePainter(const PagePainter&) = delete;
    PagePainter& operator=(const PagePainter&) = delete;

    // Texts painted from now on holding a character no installed font draws go into
    // `texts` (they print with a box for it).
    void collectUndrawable(std::set<QString>& texts) { undrawable_ = &texts; }
    // Texts painted from now on too long for their box even at the smallest legible
    // size go into `texts` (they print cut).
    void collectCut(std::set<QString>& texts) { cut_ = &texts; }

    // Every text is printed whole where it can be: a text wider than its box is
    // narrowed (to 70 % of its width at most), then set smaller (down to 6 pt), then
    // broken into lines when the box has room for them; stacked texts that still do not
    // fit run on one after another. Only a text too long for the box even then is cut
    // with an ellipsis. Lines share the box's height equally.
    //
    // One text, one line centred vertically in the box where it fits.
    void text(const MmRect& box, std::string_view text, const TextStyle& style);
    void text(const MmRect& box, const QString& text, const TextStyle& style);
    void text(const MmRect& box, const char* text, const TextStyle& style) {
        this->text(box, std::string_view(text), style);
    }
    // As text(), but the text breaks into lines before its glyphs are narrowed.
    void wrappedText(const MmRect& box, std::string_view text, const TextStyle& style);
    // Texts one under another in the box, each starting a line, breaking as
    // wrappedText() does; empty texts take no line.
    void lines(const MmRect& box, const std::vector<std::string_view>& texts,
               const TextStyle& style);
    // Whether lines() prints the texts whole in the box.
    bool fits(const MmRect& box, const std::vector<std::string_view>& texts,
              const TextStyle& style);
    // An upper and a lower line; a line alone, upper or lower, is centred in the box.
    void twoLines(const MmRect& box, std::string_view upper, std::string_view lower,
                  const TextStyle& style);
    double textWidthMm(const QString& text, const TextStyle& style);
    void line(double x1, double y1, double x2, double y2, double weightMm = 0.15);
    void frame(const MmRect& box, double weightMm = 0.15);
    void fill(const MmRect& box, const QColor& color);

  private:
    // The texts as pageText() gave them.
    void fit(const MmRect& box, QStringList texts, const TextStyle& style, bool wrapFirst);
    const Fit& layout(const MmRect& box, const QStringList& texts, const TextStyle& style,
                      bool wrapFirst);
    Fit computeLayout(const MmRect& box, const QStringList& texts, const TextStyle& style,
                      bool wrapFirst);
    void measure(Fit& fit, const MmRect& box, const QStringList& texts);
    static Fit fitOf(const TextStyle& style, QStringList lines, bool whole);
    // The largest legible fit of the texts, each starting a line; none when they are
    // too long for the box.
    std::optional<Fit> wholeLayout(const MmRect& box, const QStringList& texts,
                                   const TextStyle& style, bool wrapFirst);
    void paintLine(const MmRect& box, const QString& text, double width, const Fit& fit,
                   const QFont& font, Align align);
    void useTextPen();
    const QFont& font(const TextStyle& style);
    QPaintDevice* device() const { return painter_ ? painter_->device() : nullptr; }

    QPainter* painter_ = nullptr;
    std::vector<PageText>* texts_ = nullptr;
    std::set<QString>* undrawable_ = nullptr;
    std::set<QString>* cut_ = nullptr;
    const ReportFonts& fonts_;
    Cache own_;
    Cache* cache_;
    // The font last set on the painter: setting it again would resolve it again.
    const QFont* painterFont_ = nullptr;
    bool textPen_ = false;  // the painter's pen is the texts' own
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
