#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>

#include "data/table_database.h"
#include "platform/messages.h"
#include "project/koji_gaiyo_form.h"
#include "project/koji_gaiyo_window.h"
#include "project/mitsumoriyoko_form.h"
#include "project/mitsumoriyoko_window.h"
#include "project/project_master_fixture.h"

namespace omrix::project {
namespace {

class ProjectWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(t.ok()) << t.error(); }
    ProjectFormInputs inputs() { return projectInputs(t.db()); }
    template <typename Widget = QLineEdit>
    static Widget* child(QWidget& window, const char* name) {
        auto* w = window.findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void showActive(QWidget& window) {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    testing::TableDatabase t;
};

std::string utf8(const QString& s) {
    return s.toStdString();
}

// Key presses carrying each character, as an input method hands over kana and kanji
// (QTest's own typing knows ASCII only).
void typeText(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

TEST_F(ProjectWindowTest, EveryControlByNameWithItsCaptionOnAScreenOf1366x768) {
    Frm_Omrix_Print_KojiGaiyo gaiyo(inputs());
    Frm_Omrix_Print_Mitsumoriyoko youkou(inputs());
    KojiGaiyoForm gaiyoForm(inputs());
    MitsumoriyokoForm youkouForm(inputs());
    const struct {
        QDialog& window;
        const ProjectForm& form;
        const char* caption;
    } windows[] = {{gaiyo, gaiyoForm, "工事概要"}, {youkou, youkouForm, "見積要項"}};
    for (const auto& w : windows) {
        EXPECT_EQ(utf8(w.window.windowTitle()), w.caption);
        EXPECT_NE(child<QTabWidget>(w.window, "SSTab_Mitsumoriyoko"), nullptr);
        for (const auto& c : w.form.layout().controls) {
            EXPECT_NE(w.window.findChild<QWidget*>(QString::fromStdString(c.name)), nullptr)
                << c.name;
            if (!c.pair.empty()) {
                EXPECT_NE(child<QRadioButton>(w.window, c.pair.c_str()), nullptr);
            }
        }
        const struct {
            const char* name;
            const char* text;
        } buttons[] = {{"Cmd_OK", "OK(&O)"},
                       {"Cmd_Cancel", "ｷｬﾝｾﾙ(&C)"},
                       {"Cmd_Tekiyo", "適用(&T)"},
                       {"Cmd_BukkenInf", "物件情報(&B)"}};
        for (const auto& b : buttons) {
            auto* button = child<QPushButton>(w.window, b.name);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(utf8(button->text()), b.text);
        }
        w.window.show();
        EXPECT_LE(w.window.frameGeometry().width(), 1366) << w.caption;
        EXPECT_LE(w.window.frameGeometry().height(), 700) << w.caption;  // room for a panel
        w.window.hide();
    }
    // Captions the sheet's users know the boxes by.
    QStringList captions;
    for (auto* l : gaiyo.findChildren<QLabel*>()) captions << l->text();
    for (auto* g : gaiyo.findChildren<QGroupBox*>()) captions << g->title();
    for (const char* caption :
         {"工事名", "工事場所", "設計者名", "発注者名", "建物用途",   "地下階",      "地上階",
          "塔屋階", "敷地面積", "建築面積", "延床面積", "施工床面積", "見積範囲",    "（㎡）",
          "（坪）", "特記事項", "杭工事",   "山止工事", "構内工事",   "ﾎﾞｰﾘﾝｸﾞﾃﾞｰﾀ", "載荷試験"}) {
        EXPECT_TRUE(captions.contains(QString::fromUtf8(caption))) << caption;
    }
    EXPECT_EQ(utf8(child<QPushButton>(gaiyo, "Cmd_BukkenInf")->toolTip()),
              "物件情報を既定値として画面に表示します。");
}

TEST_F(ProjectWindowTest, TypedKeysHoldToTheRules) {
    Frm_Omrix_Print_Mitsumoriyoko window(inputs());
    showActive(window);
    const struct {
        const char* box;
        QString typed;
        std::string expected;
    } cases[] = {
        {"Txt_ChijoKai", "1000", "100"},
        {"Txt_ToyaKai", "-5", "-"},
        {"Txt_Suryo", "1.2.345", "1.234"},
        {"Txt_Kozo", QString(63, 'a') + "あb", std::string(63, 'a') + "b"},  // 64 bytes
        {"Txt_Bikou3", "ab", "ab"},
    };
    for (const auto& c : cases) {
        auto* box = child(window, c.box);
        box->setFocus();
        box->selectAll();  // boxes open with "0" in number boxes
        QTest::keyClick(box, Qt::Key_Backspace);
        typeText(box, c.typed);
        EXPECT_EQ(utf8(box->text()), c.expected) << c.box;
        EXPECT_EQ(window.form().text(c.box), c.expected) << c.box;
    }
}

TEST_F(ProjectWindowTest, PasteAndDeleteGoThroughTheSameLimits) {
    Frm_Omrix_Print_KojiGaiyo window(inputs());
    showActive(window);
    auto* koki = child(window, "Txt_Koki");  // 64 bytes
    koki->setFocus();
    QTest::keyClicks(koki, QString(60, 'x'));
    QApplication::clipboard()->setText("あいう");  // 6 bytes: 66 in all
    QTest::keySequence(koki, QKeySequence::Paste);
    EXPECT_EQ(koki->text(), QString(60, 'x'));
    QApplication::clipboard()->setText("あい");  // 64 exactly
    QTest::keySequence(koki, QKeySequence::Paste);
    EXPECT_EQ(utf8(koki->text()), std::string(60, 'x') + "あい");
    EXPECT_EQ(window.form().text("Txt_Koki"), std::string(60, 'x') + "あい");

    auto* floor = child(window, "Txt_ChikaKai");
    floor->setFocus();
    floor->selectAll();
    QApplication::clipboard()->setText("1000");
    QTest::keySequence(floor, QKeySequence::Paste);
    EXPECT_EQ(utf8(floor->text()), "0");  // as loaded

    auto* area = child(window, "Txt_Sekoyukam");
    area->setFocus();
    area->selectAll();
    QTest::keyClicks(area, "123456789.5");
    EXPECT_EQ(utf8(area->text()), "123456789.5");
    area->setCursorPosition(9);
    QTest::keyClick(area, Qt::Key_Delete);  // 1234567895 would pass the maximum
    EXPECT_EQ(utf8(area->text()), "123456789.5");
    area->setCursorPosition(11);
    QTest::keyClick(area, Qt::Key_Backspace);
    EXPECT_EQ(utf8(area->text()), "123456789.");
}

TEST_F(ProjectWindowTest, TabOrderFollowsTheSheet) {
    Frm_Omrix_Print_KojiGaiyo window(inputs());
    showActive(window);
    child(window, "Txt_KojiName")->setFocus();
    std::vector<std::string> order{utf8(QApplication::focusWidget()->objectName())};
    for (int i = 0; i < 17; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.push_back(utf8(QApplication::focusWidget()->objectName()));
    }
    const std::vector<std::string> expected = {
        "Txt_KojiName",  "Txt_KojiBasho", "Txt_Sekkeisha", "Txt_Hacchusha", "Txt_Yoto",
        "Txt_Suryo",     "Txt_Kozo",      "Txt_ChikaKai",  "Txt_ChijoKai",  "Txt_ToyaKai",
        "Txt_Shikichim", "Txt_Kenchikum", "Txt_Nobeyukam", "Txt_Sekoyukam", "Txt_Koki",
        "Txt_Hani",      "Cmd_OK",        "Cmd_Cancel"};  // other pages are not visible
    EXPECT_EQ(order, expected);
}

TEST_F(ProjectWindowTest, ChangedFlagTsuboLabelsAndTheCloseQuestion) {
    Frm_Omrix_Print_KojiGaiyo window(inputs());
    showActive(window);
    auto* tokki = child(window, "Txt_Tokki1");
    tokki->setFocus();
    QTest::keyClicks(tokki, "only a note");
    QTest::keyClick(tokki, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());  // no question: 特記事項 sets no flag
    EXPECT_TRUE(t.messages().messages().empty());

    Frm_Omrix_Print_KojiGaiyo second(inputs());
    showActive(second);
    auto* area = child(second, "Txt_Shikichim");
    area->setFocus();
    QTest::keyClicks(area, "100");
    QTest::keyClick(area, Qt::Key_Tab);  // LostFocus
    EXPECT_EQ(utf8(child<QLabel>(second, "Lbl_Shikichitubo")->text()), "30.3");
    EXPECT_TRUE(second.form().changed());

    t.messages().setAnswer(platform::kAnswerNo);
    child<QPushButton>(second, "Cmd_Cancel")->click();
    EXPECT_TRUE(second.isVisible());
    ASSERT_EQ(t.messages().messages().size(), 1u);
    EXPECT_EQ(t.messages().messages()[0].number, 2003);

    child<QPushButton>(second, "Cmd_Tekiyo")->click();
    EXPECT_EQ(t.messages().messages().back().number, 4003);
    EXPECT_TRUE(second.isVisible());
    EXPECT_EQ(t.value("Select 敷地面積 || '/' || 敷地面積坪 From 物件概要;"), "100.0/30.3");
    child<QPushButton>(second, "Cmd_OK")->click();
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(t.messages().messages().back().number, 4003);
}

TEST_F(ProjectWindowTest, WithoutAuthorityOnlyViewing) {
    auto in = inputs();
    in.kengen = 1;
    Frm_Omrix_Print_Mitsumoriyoko window(in);
    EXPECT_FALSE(child<QPushButton>(window, "Cmd_OK")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(window, "Cmd_Tekiyo")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(window, "Cmd_BukkenInf")->isEnabled());
}

// With OMRIX_SCREENSHOT_DIR set: every tab page of both windows after 物件情報, as PNG.
TEST_F(ProjectWindowTest, Screenshots) {
    const char* folder = std::getenv("OMRIX_SCREENSHOT_DIR");
    if (folder == nullptr) GTEST_SKIP() << "OMRIX_SCREENSHOT_DIR not set";
    t.exec(kMasterData);
    t.messages().setAnswer(platform::kAnswerYes);
    Frm_Omrix_Print_KojiGaiyo gaiyo(inputs());
    Frm_Omrix_Print_Mitsumoriyoko youkou(inputs());
    const struct {
        ProjectFormWindow& window;
        const char* file;
    } shots[] = {{gaiyo, "koji_gaiyo"}, {youkou, "mitsumoriyoko"}};
    for (const auto& shot : shots) {
        shot.window.Cmd_BukkenInf_Click();
        shot.window.show();
        auto* tabs = child<QTabWidget>(shot.window, "SSTab_Mitsumoriyoko");
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            const QString path = QString("%1/%2_%3.png").arg(folder).arg(shot.file).arg(page + 1);
            EXPECT_TRUE(shot.window.grab().save(path)) << path.toStdString();
        }
    }
}

}  // namespace
}  // namespace omrix::project
