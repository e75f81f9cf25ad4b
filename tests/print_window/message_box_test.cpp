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
    QString title, text;
    int buttons = 0;
};

// Reads the next message box and presses `press` on it.
void readAndPress(QMessageBox::StandardButton press, Shown& shown) {
    whenModal([&shown, press](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown = {box->icon(), box->windowTitle(), box->text(),
                 static_cast<int>(box->buttons().size())};
        box->button(press)->click();
    });
}

TEST(MessageBoxes, StylesGiveIconsAndButtonsAndAnswers) {
    const struct {
        int32_t style;
        QMessageBox::StandardButton press;
        QMessageBox::Icon icon;
        int buttons, answer;
    } cases[] = {
        {48, QMessageBox::Ok, QMessageBox::Warning, 1, platform::kAnswerOk},
        {256 | 32, QMessageBox::Yes, QMessageBox::Question, 2, platform::kAnswerYes},
        {4 | 32, QMessageBox::No, QMessageBox::Question, 2, platform::kAnswerNo},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        platform::ShownMessage message;
        message.style = c.style;
        message.title = "確認";
        message.text = "頁名称の設定を変更しますか？";
        Shown shown;
        readAndPress(c.press, shown);
        EXPECT_EQ(MessageBoxSink().show(message), c.answer);
        EXPECT_EQ(shown.icon, c.icon);
        EXPECT_EQ(shown.buttons, c.buttons);
        EXPECT_EQ(shown.title + shown.text, "確認頁名称の設定を変更しますか？");
    }
}

TEST(MessageBoxes, NumberedMessagesCarryTheProgramCaption) {
    omrix::testing::TableDatabase tables;
    context::appContext().Messages = std::make_shared<MessageBoxSink>();
    Shown shown;
    readAndPress(QMessageBox::Ok, shown);
    EXPECT_EQ(platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "環境Ｍの取得"),
              platform::kAnswerOk);
    EXPECT_EQ(shown.title, "内訳書出力");
    EXPECT_TRUE(shown.text.startsWith("環境Ｍの取得")) << shown.text.toStdString();
}

}  // namespace
}  // namespace omrix::print_window::testing
