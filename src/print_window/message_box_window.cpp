#include "print_window/message_box_window.h"

#include <QApplication>
#include <QMessageBox>

#include "util/qt_text.h"

namespace omrix::print_window {
namespace {

constexpr int32_t kIconBits = 0x70;
constexpr int32_t kButtonBits = 0x0F;
constexpr int32_t kButtonsYesNo = 4;
constexpr int32_t kStyleQuestion = 32;
constexpr int32_t kSecondButtonDefault = 256;

QMessageBox::Icon iconOf(int32_t style) {
    switch (style & kIconBits) {
        case platform::kStyleCritical:
            return QMessageBox::Critical;
        case kStyleQuestion:
            return QMessageBox::Question;
        case platform::kStyleExclamation:
            return QMessageBox::Warning;
        case platform::kStyleInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

bool asksYesNo(int32_t style) {
    return (style & platform::kStyleYesNo) != 0 || (style & kButtonBits) == kButtonsYesNo;
}

using util::qText;

}  // namespace

ArrowWhileAsking::ArrowWhileAsking() : pushed_(QApplication::overrideCursor() != nullptr) {
    if (pushed_) QApplication::setOverrideCursor(Qt::ArrowCursor);
}

ArrowWhileAsking::~ArrowWhileAsking() {
    if (pushed_) QApplication::restoreOverrideCursor();
}

int16_t MessageBoxSink::show(const platform::ShownMessage& message) {
    ArrowWhileAsking arrow;
    QMessageBox box(
        iconOf(message.style),
        message.title.empty() ? QString::fromUtf8(kMessageCaption) : qText(message.title),
        qText(message.text), QMessageBox::NoButton, QApplication::activeWindow());
    box.setObjectName(message.number != 0 ? QString("Msg_%1").arg(message.number)
                                          : QString("Msg_Box"));
    if (!asksYesNo(message.style)) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return platform::kAnswerOk;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    // 256 is also the convention's "second button is the default": Enter answers No.
    box.setDefaultButton((message.style & kSecondButtonDefault) != 0 ? QMessageBox::No
                                                                     : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? platform::kAnswerYes : platform::kAnswerNo;
}

}  // namespace omrix::print_window
