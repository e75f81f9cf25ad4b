#include "print_window/elided_label_widget.h"

#include <QResizeEvent>

namespace omrix::print_window {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::setFullText(const QString& text) {
    full_ = text;
    setToolTip(text);
    showFitting();
}

QSize ElidedLabel::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const {
    return {0, QLabel::sizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showFitting();
}

void ElidedLabel::showFitting() {
    const int room = contentsRect().width();
    setText(fontMetrics().elidedText(full_, Qt::ElideRight, room));
}

}  // namespace omrix::print_window
