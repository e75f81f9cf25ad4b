// Numbered messages and message boxes shown as QMessageBoxes and answered by a click.
#include <QMessageBox>
#include <QPushButton>

#include "platform/messages.h"
#include "print_window/message_box_window.h"
#include "print_window/qt_language_window.h"
#include "window_fixture.h"

namespace omrix::print_window::testing {
namespace {

// Reads the next message box as "icon title text" and presses `press` on it.
void readAndPress(QMessageBox::StandardButton press, QString& shown) {
    whenModal([&shown, press](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown = QString::number(box->icon()) + " " + box->windowTitle() + " " + box->text();
        box->button(press)->click();
    });
}

// A style gives the icon and buttons, the button pressed the answer; a numbered message
// carries the program's caption.
TEST(MessageBoxes, StylesGiveIconsButtonsAndAnswers) {
    const struct {
        int32_t style;
        QMessageBox::StandardButton press;
        QMessageBox::Icon icon;
        int16_t answer;
    } cases[] = {
        {48, QMessageBox::Ok, QMessageBox::Warning, platform::kAnswerOk},
        {256 | 32, QMessageBox::Yes, QMessageBox::Question, platform::kAnswerYes},
        {4 | 32, QMessageBox::No, QMessageBox::Question, platform::kAnswerNo},
    };
    for (const auto& c : cases) {
        platform::ShownMessage message;
        message.style = c.style;
        message.title = "確認";
        message.text = "頁名称の設定を変更しますか？";
        QString shown;
        readAndPress(c.press, shown);
        EXPECT_EQ(MessageBoxSink().show(message), c.answer) << c.style;
        EXPECT_EQ(shown, QString::number(c.icon) + " 確認 頁名称の設定を変更しますか？");
    }

    // Enter takes the default button: No for 256 (the second button), Yes for 4 alone;
    // Escape always answers No.
    const struct {
        int32_t style;
        int key;
        int16_t answer;
    } keys[] = {{256 | 32, Qt::Key_Return, platform::kAnswerNo},
                {256, Qt::Key_Enter, platform::kAnswerNo},
                {4 | 32, Qt::Key_Return, platform::kAnswerYes},
                {256 | 32, Qt::Key_Escape, platform::kAnswerNo}};
    for (const auto& k : keys) {
        whenModal([key = k.key](QWidget* modal) { QTest::keyClick(modal, Qt::Key(key)); });
        platform::ShownMessage message;
        message.style = k.style;
        message.text = "変更内容を破棄しますか？";
        EXPECT_EQ(MessageBoxSink().show(message), k.answer) << k.style << " " << k.key;
    }

    // With Qt's Japanese loaded the questions read はい and いいえ.
    ASSERT_TRUE(installQtJapanese(qApp));
    QString buttons;
    whenModal([&buttons](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        for (auto which : {QMessageBox::Yes, QMessageBox::No})
            buttons += box->button(which)->text() + " ";
        box->button(QMessageBox::No)->click();
    });
    platform::ShownMessage question;
    question.style = platform::kStyleYesNo;
    question.text = "変更内容を破棄しますか？";
    MessageBoxSink().show(question);
    EXPECT_TRUE(buttons.startsWith("はい") && buttons.contains(" いいえ")) << buttons.toStdString();

    omrix::testing::TableDatabase tables;
    context::appContext().Messages = std::make_shared<MessageBoxSink>();
    QString shown;
    readAndPress(QMessageBox::Ok, shown);
    EXPECT_EQ(platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "環境Ｍの取得"),
              platform::kAnswerOk);
    EXPECT_TRUE(shown.contains(" 内訳書出力 環境Ｍの取得")) << shown.toStdString();
}

}  // namespace
}  // namespace omrix::print_window::testing
