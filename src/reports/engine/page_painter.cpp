#include "reports/engine/page_painter.h"

#include <QFontMetricsF>
#include <QPen>
#include <cmath>
#include <mutex>

#include "util/clean_text.h"

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

constexpr double kNarrowestScale = 0.5;

}  // namespace

const QFont& PagePainter::font(const TextStyle& style) {
    int size = std::max(1, static_cast<int>(std::lround(style.sizeMm * kUnitsPerMm)));
    int key = size * 4 + (style.face == Face::Gothic ? 2 : 0) + (style.bold ? 1 : 0);
    auto found = cache_.find(key);
    if (found != cache_.end()) return found->second;
    QFont f;
    // A character the face lacks comes from the fallbacks, before any font the system
    // would choose.
    f.setFamilies(QStringList{style.face == Face::Gothic ? fonts_.gothic : fonts_.mincho} +
                  fonts_.fallbacks);
    f.setPixelSize(size);
    f.setBold(style.bold);
    // Hinting would snap glyphs to a grid of tenths of a millimetre.
    f.setHintingPreference(QFont::PreferNoHinting);
    return cache_.emplace(key, f).first->second;
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
    const std::string clean = util::lineText(text);
    return QString::fromUtf8(clean.data(), static_cast<qsizetype>(clean.size()));
}

void PagePainter::text(const MmRect& box, std::string_view text, const TextStyle& style) {
    if (text.empty() || box.w <= 0) return;
    paintText(box, pageText(text), style);
}

void PagePainter::text(const MmRect& box, const QString& text, const TextStyle& style) {
    if (text.isEmpty() || box.w <= 0) return;
    paintText(box, pageText(text.toStdString()), style);
}

void PagePainter::paintText(const MmRect& box, const QString& text, const TextStyle& style) {
    if (text.isEmpty() || box.w <= 0) return;
    if (texts_ != nullptr) {
        texts_->push_back({box, text});
        return;
    }
    const QFont& f = font(style);
    if (undrawable_ != nullptr && !drawsEveryCharacter(f, text)) undrawable_->insert(text);
    painter_->setFont(f);
    painter_->setPen(Qt::black);
    QRectF area = toUnits(box);
    QFontMetricsF metrics(f, device());
    double width = metrics.horizontalAdvance(text);
    if (width <= area.width()) {
        painter_->drawText(area, alignmentFlags(style.align), text);
        return;
    }
    double scale = std::max(kNarrowestScale, area.width() / width);
    QString shown = text;
    double needed = area.width() / scale;
    if (width > needed) {
        shown = metrics.elidedText(text, Qt::ElideRight, needed);
        width = metrics.horizontalAdvance(shown);
    }
    painter_->save();
    painter_->translate(area.left(), 0);
    painter_->scale(scale, 1.0);
    painter_->drawText(QRectF(0, area.top(), area.width() / scale, area.height()),
                       alignmentFlags(style.align), shown);
    painter_->restore();
}

double PagePainter::textWidthMm(const QString& text, const TextStyle& style) {
    QFontMetricsF metrics(font(style), device());
    return metrics.horizontalAdvance(text) / kUnitsPerMm;
}

void PagePainter::wrappedText(const MmRect& box, std::string_view text, const TextStyle& style) {
    if (text.empty()) return;
    QString all = pageText(text);
    if (texts_ != nullptr) {
        // Found as one text, wherever it breaks.
        texts_->push_back({box, all});
        return;
    }
    QFontMetricsF metrics(font(style), device());
    double width = box.w * kUnitsPerMm;
    if (metrics.horizontalAdvance(all) <= width) {
        paintText(box, all, style);
        return;
    }
    // The longest start that fits; at least one character so that the text moves on.
    qsizetype low = 1, high = all.size();
    while (low < high) {
        qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(all.left(mid)) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    paintText(box.upperHalf(), all.left(low), style);
    paintText(box.lowerHalf(), all.mid(low), style);
}

void PagePainter::twoLines(const MmRect& box, std::string_view upper, std::string_view lower,
                           const TextStyle& style) {
    // A line alone takes the whole box, whichever of the two it is.
    if (lower.empty() || upper.empty()) {
        text(box, lower.empty() ? upper : lower, style);
        return;
    }
    text(box.upperHalf(), upper, style);
    text(box.lowerHalf(), lower, style);
}

void PagePainter::line(double x1, double y1, double x2, double y2, double weightMm) {
    if (painter_ == nullptr) return;
    QPen pen(Qt::black);
    pen.setWidthF(weightMm * kUnitsPerMm);
    pen.setCapStyle(Qt::FlatCap);
    painter_->setPen(pen);
    painter_->drawLine(QPointF(x1 * kUnitsPerMm, y1 * kUnitsPerMm),
                       QPointF(x2 * kUnitsPerMm, y2 * kUnitsPerMm));
}

void PagePainter::frame(const MmRect& box, double weightMm) {
    if (painter_ == nullptr) return;
    QPen pen(Qt::black);
    pen.setWidthF(weightMm * kUnitsPerMm);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(toUnits(box));
}

void PagePainter::fill(const MmRect& box, const QColor& color) {
    if (painter_ != nullptr) painter_->fillRect(toUnits(box), color);
}

// Titles are set solid: a title spaced out with blanks no longer reads as one word
// when the text is taken from the PDF (search, copy, pdftotext).
QString titleText(std::string_view title) {
    return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}

}  // namespace omrix::reports
