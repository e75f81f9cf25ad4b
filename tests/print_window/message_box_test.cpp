// Numbered messages and message boxes shown as QMessageBoxes and answered by a click.
#include <QMessageBox>
#include <QPushButton>

#include "platform/messages.h"
#include "print_window/message_box_window.h"
#include "window_fixture.h"

namespace omrix::print_window::testing {
namespace {

struct Shown {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QStringList buttons;
};

// Shows the message, reads the box and presses `press`; returns the answer.
int16_t showAndPress(const platform::ShownMessage& message, QMessageBox::StandardButton press,
                     Shown& shown) {
    whenModal([&shown, press](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown.icon = box->icon();
        shown.title = box->windowTitle();
        shown.text = box->text();
        for (QAbstractButton* button : box->buttons()) shown.buttons << button->text();
        box->button(press)->click();
    });
    MessageBoxSink sink;
    return sink.show(message);
}

TEST(MessageBoxes, StylesGiveIconsAndButtonsAndAnswers) {
    struct Case {
        int32_t style;
        QMessageBox::StandardButton press;
        QMessageBox::Icon icon;
        int buttons;
        int16_t answer;
    };
    const Case cases[] = {
        {0, QMessageBox::Ok, QMessageBox::NoIcon, 1, platform::kAnswerOk},
        {16, QMessageBox::Ok, QMessageBox::Critical, 1, platform::kAnswerOk},
        {48, QMessageBox::Ok, QMessageBox::Warning, 1, platform::kAnswerOk},
        {256 | 32, QMessageBox::Yes, QMessageBox::Question, 2, platform::kAnswerYes},
        {256 | 32, QMessageBox::No, QMessageBox::Question, 2, platform::kAnswerNo},
        {4 | 32, QMessageBox::No, QMessageBox::Question, 2, platform::kAnswerNo},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        platform::ShownMessage message;
        message.style = c.style;
        message.title = "確認";
        message.text = "頁名称の設定を変更しますか？";
        Shown shown;
        EXPECT_EQ(showAndPress(message, c.press, shown), c.answer);
        EXPECT_EQ(shown.icon, c.icon);
        EXPECT_EQ(shown.buttons.size(), c.buttons);
        EXPECT_EQ(shown.title, "確認");
        EXPECT_EQ(shown.text, "頁名称の設定を変更しますか？");
    }
}

TEST(MessageBoxes, NumberedMessagesCarryTheProgramCaption) {
    omrix::testing::TableDatabase tables;
    context::appContext().Messages = std::make_shared<MessageBoxSink>();
    Shown shown;
    whenModal([&shown](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown.title = box->windowTitle();
        shown.text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "環境Ｍの取得"),
              platform::kAnswerOk);
    EXPECT_EQ(shown.title, "内訳書出力");
    EXPECT_TRUE(shown.text.startsWith("環境Ｍの取得")) << shown.text.toStdString();
}

}  // namespace
}  // namespace omrix::print_window::testing
