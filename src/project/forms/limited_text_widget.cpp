#include "project/forms/limited_text_widget.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace omrix::project {
namespace {

// A key that types text: something printable, no Ctrl or Alt chord.
bool typesText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
}

}  // namespace

WholeTextValidator::WholeTextValidator(const InputRule& rule, QObject* parent)
    : QValidator(parent), rule_(rule) {}

QValidator::State WholeTextValidator::validate(QString& input, int& /*pos*/) const {
    if (keyApproved_ || !refusesText(rule_, input.toStdString())) return Acceptable;
    QApplication::beep();
    return Invalid;
}

LimitedTextBox::LimitedTextBox(const InputRule& rule, QWidget* parent)
    : QLineEdit(parent), rule_(rule), validator_(new WholeTextValidator(rule, this)) {
    setValidator(validator_);
    if (rule.kind == InputKind::Number) setAlignment(Qt::AlignRight);
}

bool LimitedTextBox::refusesTypedKey(const QString& key) const {
    const bool selected = hasSelectedText();
    const int selStart = selected ? selectionStart() : cursorPosition();
    const int selLength = selected ? static_cast<int>(selectedText().size()) : 0;
    return refusesKey(rule_, key.toStdString(), text().toStdString(), selStart, selLength);
}

void LimitedTextBox::keyPressEvent(QKeyEvent* event) {
    const bool backspace = event->key() == Qt::Key_Backspace;
    if (!backspace && !typesText(*event)) {
        QLineEdit::keyPressEvent(event);  // Delete, paste, cut: the validator judges
        return;
    }
    if (!backspace && refusesTypedKey(event->text())) {
        event->accept();  // the key is dropped, as a refused KeyPress
        return;
    }
    validator_->setKeyApproved(true);
    QLineEdit::keyPressEvent(event);
    validator_->setKeyApproved(false);
}

void LimitedTextBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString committed = event->commitString();
    if (committed.isEmpty() || !event->preeditString().isEmpty() ||
        event->replacementLength() != 0) {
        QLineEdit::inputMethodEvent(event);  // still composing: nothing is in the box yet
        return;
    }
    QInputMethodEvent endComposing;  // the composed text shown so far goes
    QLineEdit::inputMethodEvent(&endComposing);
    for (char32_t point : committed.toUcs4()) {
        const QString character = QString::fromUcs4(&point, 1);
        if (refusesTypedKey(character)) {
            QApplication::beep();
            break;
        }
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        keyPressEvent(&typed);
    }
    event->accept();
}

}  // namespace omrix::project
