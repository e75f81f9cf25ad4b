#include "reports/engine/page_painter.h"

#include <QFontMetricsF>
#include <QPen>
#include <cmath>
#include <mutex>
#include <optional>

#include "util/clean_text.h"
#include "util/qt_text.h"

namespace omrix::reports {
namespace {

QRectF toUnits(const MmRect& box) {
    return {box.x * kUnitsPerMm, box.y * kUnitsPerMm, box.w * kUnitsPerMm, box.h * kUnitsPerMm};
}

int alignmentFlags(Align align) {
    switch (align) {
        case Align::Left:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case Align::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Narrowed no further than this, set no smaller than 6 pt: still legible.
constexpr double kNarrowestScale = 0.7;
constexpr double kScales[] = {1.0, 0.85, kNarrowestScale};
constexpr double kSmallestMm = 6.0 * 25.4 / 72.0;
// Lines stacked in a box take at least their size each: the print fonts' ascent and
// descent add up to one em, so such lines touch but never overlap.
constexpr double kLinePitch = 1.0;

}  // namespace

PagePainter::PagePainter(QPainter& painter, const ReportFonts& fonts, Cache* cache)
    : painter_(&painter), fonts_(fonts), cache_(cache != nullptr ? cache : &own_) {
    // Fonts and layouts measured for another resolution would not fit this device.
    const int dpi = painter.device() != nullptr ? painter.device()->logicalDpiY() : 0;
    if (cache_->dpi_ != dpi) {
        cache_->fonts_.clear();
        cache_->layouts_.clear();
        cache_->dpi_ = dpi;
    }
}

const QFont& PagePainter::font(const TextStyle& style) {
    int size = std::max(1, static_cast<int>(std::lround(style.sizeMm * kUnitsPerMm)));
    int key = size * 4 + (style.face == Face::Gothic ? 2 : 0) + (style.bold ? 1 : 0);
    auto found = cache_->fonts_.find(key);
    if (found != cache_->fonts_.end()) return found->second;
    QFont f;
    // A character the face lacks comes from the fallbacks, before any font the system
    // would choose.
    f.setFamilies(QStringList{style.face == Face::Gothic ? fonts_.gothic : fonts_.mincho} +
                  fonts_.fallbacks);
    f.setPixelSize(size);
    f.setBold(style.bold);
    // Hinting would snap glyphs to a grid of tenths of a millimetre.
    f.setHintingPreference(QFont::PreferNoHinting);
    // At the device's resolution, metrics taken for the device share the font's glyphs.
    if (device() != nullptr) f = QFont(f, device());
    return cache_->fonts_.emplace(key, f).first->second;
}

bool drawsEveryCharacter(const QFont& font, const QString& text) {
    // By character, once: the answer is the same for every size and face, since both
    // faces cover the same characters and share the fallbacks.
    static std::map<char32_t, bool> known;
    static std::mutex guard;
    QFontMetricsF metrics(font);
    for (char32_t ch : text.toUcs4()) {
        if (ch < 0x7F) continue;
        std::lock_guard lock(guard);
        auto found = known.find(ch);
        if (found == known.end()) found = known.emplace(ch, metrics.inFontUcs4(ch)).first;
        if (!found->second) return false;
    }
    return true;
}

QString pageText(std::string_view text) {
    return util::qText(util::lineText(text));
}

void PagePainter::text(const MmRect& box, std::string_view text, const TextStyle& style) {
    fit(box, {pageText(text)}, style, false);
}

void PagePainter::text(const MmRect& box, const QString& text, const TextStyle& style) {
    fit(box, {pageText(text.toStdString())}, style, false);
}

void PagePainter::wrappedText(const MmRect& box, std::string_view text, const TextStyle& style) {
    fit(box, {pageText(text)}, style, true);
}

void PagePainter::twoLines(const MmRect& box, std::string_view upper, std::string_view lower,
                           const TextStyle& style) {
    fit(box, {pageText(upper), pageText(lower)}, style, true);
}

void PagePainter::lines(const MmRect& box, const std::vector<std::string_view>& texts,
                        const TextStyle& style) {
    QStringList items;
    for (std::string_view text : texts) items << pageText(text);
    fit(box, items, style, true);
}

double PagePainter::textWidthMm(const QString& text, const TextStyle& style) {
    QFontMetricsF metrics(font(style), device());
    return metrics.horizontalAdvance(text) / kUnitsPerMm;
}

namespace {

// The longest start of the text no wider than `width`; at least one character, so
// that a text always moves on.
qsizetype fittingPrefix(const QFontMetricsF& metrics, const QString& text, double width) {
    qsizetype low = 1, high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(mid)) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    // A break between two characters of a surrogate pair would split 𠮷.
    if (low < text.size() && text[low].isLowSurrogate() && low > 1) --low;
    return low;
}

// Each text on lines no wider than `width`, in order.
QStringList wrapTexts(const QFontMetricsF& metrics, const QStringList& texts, double width,
                      bool wrap) {
    QStringList lines;
    for (QString rest : texts) {
        while (wrap && metrics.horizontalAdvance(rest) > width) {
            const qsizetype cut = fittingPrefix(metrics, rest, width);
            lines << rest.left(cut);
            rest = rest.mid(cut);
        }
        // A last character wider than the box alone leaves nothing after it.
        if (!rest.isEmpty()) lines << rest;
    }
    return lines;
}

// Lines of the style's size stacked in the box; at least one.
qsizetype lineCapacity(const MmRect& box, const TextStyle& style) {
    return static_cast<qsizetype>(
        std::max(1.0, std::floor(box.h / (style.sizeMm * kLinePitch) + 1e-9)));
}

double widest(const QFontMetricsF& metrics, const QStringList& lines) {
    double width = 0;
    for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
    return width;
}

}  // namespace

PagePainter::Fit PagePainter::fitOf(const TextStyle& style, QStringList lines, bool whole) {
    Fit fit;
    fit.style = style;
    fit.lines = std::move(lines);
    fit.whole = whole;
    return fit;
}

std::optional<PagePainter::Fit> PagePainter::wholeLayout(const MmRect& box,
                                                         const QStringList& texts,
                                                         const TextStyle& style, bool wrapFirst) {
    const double width = box.w * kUnitsPerMm;
    const double smallest = std::min(style.sizeMm, kSmallestMm);
    // Wrapping first keeps the glyphs whole; a single text (a figure, a heading) is
    // narrowed before it is broken.
    const bool orders[2] = {wrapFirst, true};
    for (double size = style.sizeMm; size > smallest - 0.05; size -= 0.1) {
        TextStyle sized = style;
        sized.sizeMm = std::max(size, smallest);
        QFontMetricsF metrics(font(sized), device());
        for (bool wrap : orders) {
            for (double scale : kScales) {
                QStringList lines = wrapTexts(metrics, texts, width / scale, wrap);
                if (lines.size() <= lineCapacity(box, sized) &&
                    widest(metrics, lines) <= width / scale + 1e-6)
                    return fitOf(sized, std::move(lines), true);
            }
        }
    }
    return std::nullopt;
}

const PagePainter::Fit& PagePainter::layout(const MmRect& box, const QStringList& texts,
                                     const TextStyle& style, bool wrapFirst) {
    // Texts lay out alike in boxes of one size wherever they stand: a statement cell is
    // measured for the cells it takes, then painted, with the same answer.
    const QString key =
        QString::number(box.w, 'f', 3) + QChar('|') + QString::number(box.h, 'f', 3) + QChar('|') +
        QString::number(style.sizeMm, 'f', 3) + QChar(style.face == Face::Gothic ? 'g' : 'm') +
        QChar(style.bold ? 'b' : '-') + QChar(wrapFirst ? 'w' : '-') + texts.join(QChar(0x1F));
    auto& layouts = cache_->layouts_;
    auto found = layouts.find(key);
    if (found != layouts.end()) return found->second;
    if (layouts.size() >= Cache::kMostLayouts) layouts.clear();
    Fit fit = computeLayout(box, texts, style, wrapFirst);
    measure(fit, box, texts);
    return layouts.emplace(key, std::move(fit)).first->second;
}

void PagePainter::measure(Fit& fit, const MmRect& box, const QStringList& texts) {
    const QFont& f = font(fit.style);
    const QFontMetricsF metrics(f, device());
    double widestLine = 0;
    for (const QString& line : fit.lines) {
        fit.widths.push_back(metrics.horizontalAdvance(line));
        widestLine = std::max(widestLine, fit.widths.back());
    }
    fit.scale = widestLine > 0 ? std::min(1.0, box.w * kUnitsPerMm / widestLine) : 1.0;
    fit.ascent = metrics.ascent();
    fit.descent = metrics.descent();
    for (const QString& text : texts)
        if (!drawsEveryCharacter(f, text)) fit.undrawable << text;
}

PagePainter::Fit PagePainter::computeLayout(const MmRect& box, const QStringList& texts,
                                            const TextStyle& style, bool wrapFirst) {
    // Each text starting a line of its own reads best; stacked texts that cannot have
    // that run on, a full-width blank apart, so that the end of one shares its line
    // with the start of the next.
    if (auto fitted = wholeLayout(box, texts, style, wrapFirst)) return *fitted;
    const QStringList runOn{texts.join(QChar(0x3000))};
    if (texts.size() > 1) {
        if (auto fitted = wholeLayout(box, runOn, style, true)) return *fitted;
    }
    // Too long for the box even at the smallest legible size: as much as fits, cut.
    TextStyle sized = style;
    sized.sizeMm = std::min(style.sizeMm, kSmallestMm);
    QFontMetricsF metrics(font(sized), device());
    const qsizetype capacity = lineCapacity(box, sized);
    const double needed = box.w * kUnitsPerMm / kNarrowestScale;
    QStringList lines = wrapTexts(metrics, runOn, needed, true);
    if (lines.size() > capacity) {
        QString rest = lines.mid(capacity - 1).join(QString());
        lines = lines.mid(0, capacity - 1);
        lines << metrics.elidedText(rest, Qt::ElideRight, needed);
    }
    return fitOf(sized, std::move(lines), false);
}

bool PagePainter::fits(const MmRect& box, const std::vector<std::string_view>& texts,
                       const TextStyle& style) {
    QStringList items;
    for (std::string_view text : texts) items << pageText(text);
    items.removeAll(QString());
    if (items.isEmpty()) return true;
    return box.w > 0 && layout(box, items, style, true).whole;
}

void PagePainter::fit(const MmRect& box, QStringList texts, const TextStyle& style,
                      bool wrapFirst) {
    texts.removeAll(QString());
    if (texts.isEmpty() || box.w <= 0) return;
    if (texts_ != nullptr) {
        // Found as written, wherever a text breaks.
        for (const QString& text : texts) texts_->push_back({box, text});
        return;
    }
    const Fit& fitted = layout(box, texts, style, wrapFirst);
    if (!fitted.whole && cut_ != nullptr) cut_->insert(texts.join(QChar(0x3000)));
    if (undrawable_ != nullptr)
        for (const QString& text : fitted.undrawable) undrawable_->insert(text);
    const QFont& f = font(fitted.style);
    const double slot = box.h / static_cast<double>(fitted.lines.size());
    for (qsizetype i = 0; i < fitted.lines.size(); ++i)
        paintLine({box.x, box.y + slot * static_cast<double>(i), box.w, slot}, fitted.lines[i],
                  fitted.widths[static_cast<std::size_t>(i)], fitted, f, style.align);
}

void PagePainter::useTextPen() {
    if (textPen_) return;
    painter_->setPen(Qt::black);
    textPen_ = true;
}

// Set at its baseline, centred in the box's height as Qt's rectangle layout would: the
// glyphs of a line the box is too low for are clipped by that layout instead. A narrowed
// line is scaled from its left edge.
void PagePainter::paintLine(const MmRect& box, const QString& text, double width, const Fit& fit,
                            const QFont& f, Align align) {
    if (painterFont_ != &f) {
        painter_->setFont(f);
        painterFont_ = &f;
    }
    useTextPen();
    const QRectF area = toUnits(box);
    const double scale = fit.scale;
    const bool tooLow = fit.ascent + fit.descent > area.height() + 1e-6;
    double left = area.left();
    if (!tooLow && align == Align::Right) left = area.right() - width * scale;
    if (!tooLow && align == Align::Center) left = area.left() + (area.width() - width * scale) / 2;
    const bool transformed = tooLow || scale < 1.0;
    if (transformed) {
        painter_->save();
        painter_->translate(left, 0);
        painter_->scale(scale, 1.0);
    }
    const double x = transformed ? 0 : left;
    if (tooLow) {
        painter_->drawText(QRectF(x, area.top(), area.width() / scale, area.height()),
                           alignmentFlags(align), text);
    } else {
        painter_->drawText(QPointF(x, area.center().y() + (fit.ascent - fit.descent) / 2), text);
    }
    if (transformed) painter_->restore();
}

void PagePainter::line(double x1, double y1, double x2, double y2, double weightMm) {
    if (painter_ == nullptr) return;
    QPen pen(Qt::black);
    pen.setWidthF(weightMm * kUnitsPerMm);
    pen.setCapStyle(Qt::FlatCap);
    painter_->setPen(pen);
    textPen_ = false;
    painter_->drawLine(QPointF(x1 * kUnitsPerMm, y1 * kUnitsPerMm),
                       QPointF(x2 * kUnitsPerMm, y2 * kUnitsPerMm));
}

void PagePainter::frame(const MmRect& box, double weightMm) {
    if (painter_ == nullptr) return;
    QPen pen(Qt::black);
    pen.setWidthF(weightMm * kUnitsPerMm);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_->setPen(pen);
    textPen_ = false;
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(toUnits(box));
}

void PagePainter::fill(const MmRect& box, const QColor& color) {
    if (painter_ != nullptr) painter_->fillRect(toUnits(box), color);
}

// Titles are set solid: a title spaced out with blanks no longer reads as one word
// when the text is taken from the PDF (search, copy, pdftotext).
QString titleText(std::string_view title) {
    return util::qText(title);
}

}  // namespace omrix::reports
