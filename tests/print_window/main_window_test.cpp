// Frm_Omrix_Print_Main on the offscreen platform: its controls, start state, enabling
// rules, a whole print run and the close.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <filesystem>

#include "platform/ini_write.h"
#include "print_window/viewer_host_window.h"
#include "window_fixture.h"

namespace omrix::print_window::testing {
namespace {

using context::appContext;

QString captionOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    return {};
}

class MainWindow : public DemoWindowTest {
  protected:
    QCheckBox* box(const char* name) { return child<QCheckBox>(window.get(), name); }
    QWidget* control(const char* name) { return child<QWidget>(window.get(), name); }
    // As a click on the control does, wherever the offscreen screen put it.
    void click(const char* name) { child<QAbstractButton>(window.get(), name)->click(); }

    std::unique_ptr<Frm_Omrix_Print_Main> window;
};

TEST_F(MainWindow, ControlsCarryTheirNamesAndCaptions) {
    window = openMain();
    EXPECT_EQ(window->windowTitle(), "内訳書出力");
    // Buttons by their text, frames by their title, labels by their text.
    const std::pair<const char*, const char*> captions[] = {
        {"Chk_ReRead", "印刷時に最新の情報を取得する。"},
        {"Chk_Uchiwake", " 内訳情報"},
        {"Chk_Daikahyo", " 代価表"},
        {"Chk_KojiGaiyo", " 工事概要"},
        {"Chk_Mitsumoriyoko", " 見積要項"},
        {"Cmd_KojiGaiyo", "工事概要編集(&K)"},
        {"Cmd_Mitsumoriyoko", "見積要項編集(&M)"},
        {"Opt_PrintJunjoToDown", "１階層目→２階層目→３階層以降→２階層目→３階層以降…"},
        {"Opt_PrintJunjoAllToAll", "１階層目→２階層目全て→３階層以降全て"},
        {"Chk_PrintOnlySuryo", "数量のみ印刷する"},
        {"Chk_PrintChofukuShoryaku", "重複文字を省略する。（〃で示す。）"},
        {"Opt_PageTypeOnlyNum", "数字のみ"},
        {"Opt_PageTypePageName", "頁名称使用"},
        {"Chk_BesshiPrint", "印刷する"},
        {"Opt_PrintBesshiAndAll", "別紙と本書"},
        {"Opt_PrintOnlyBesshi", "別紙のみ"},
        {"Chk_PageTsuban", "頁は本書と通番にする"},
        {"Cmd_Print", "印刷(&P)"},
        {"Cmd_End", "終了(&E)"},
        {"Frm2D_Print", "出力対象"},
        {"Frm2D_Shutsuryokuyoshiki", "出力様式"},
        {"Frm2D_KanshaName", "内訳書会社名"},
        {"Frm2D_PrintJunjo", "内訳書出力順序"},
        {"Frm2D_PrintOption", "印刷オプション"},
        {"Frm2D_Besshi", "「本書とは別」別紙印刷"},
        {"Lbl_PageCount", "頁カウント"},
        {"Lbl_Kara", "から"},
        {"Lbl_PageType", "頁タイプ"},
        {"Lbl_Bukken", "00000001-01 デモ物件"}};
    for (auto [name, caption] : captions) EXPECT_EQ(captionOf(control(name)), caption) << name;
    for (const char* name : {"Tv_Kaiso", "Tv_Dammy"}) {
        EXPECT_EQ(control(name)->toolTip(), "チェックした以下を全て印刷します。");
    }
    for (const char* name : {"Cmb_Shutsuryokuyoshiki", "Cmb_KaishaName", "Txt_PageCount",
                             "Frm2D_Cmd", "Prg_PrgBar", "Lbl_Prg"}) {
        control(name);
    }
}

TEST_F(MainWindow, StartState) {
    window = openMain();
    EXPECT_TRUE(box("Chk_Uchiwake")->isChecked());
    for (const char* name :
         {"Chk_Daikahyo", "Chk_KojiGaiyo", "Chk_Mitsumoriyoko", "Chk_ReRead", "Chk_PrintOnlySuryo",
          "Chk_PrintChofukuShoryaku", "Chk_BesshiPrint", "Chk_PageTsuban"}) {
        EXPECT_FALSE(box(name)->isChecked()) << name;
    }
    EXPECT_TRUE(control("Cmd_Print")->isEnabled());
    EXPECT_FALSE(control("Frm2D_PrintJunjo")->isVisible());
    EXPECT_TRUE(child<QRadioButton>(window.get(), "Opt_PrintJunjoToDown")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(window.get(), "Opt_PageTypeOnlyNum")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(window.get(), "Opt_PrintBesshiAndAll")->isChecked());
    EXPECT_EQ(child<QLineEdit>(window.get(), "Txt_PageCount")->text(), "1");
    EXPECT_FALSE(control("Chk_PageTsuban")->isEnabled());
    EXPECT_TRUE(control("Tv_Kaiso")->isVisible());
    EXPECT_FALSE(control("Tv_Dammy")->isVisible());
    EXPECT_FALSE(control("Prg_PrgBar")->isVisible());
    // The print types in ID order, the first chosen; the companies of 自社Ｍ.
    auto* types = child<QComboBox>(window.get(), "Cmb_Shutsuryokuyoshiki");
    ASSERT_GE(types->count(), 5);
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_EQ(types->itemText(0), "B5");
    EXPECT_GE(child<QComboBox>(window.get(), "Cmb_KaishaName")->count(), 1);
    // The tree has the keyboard focus, on its first node.
    EXPECT_EQ(QApplication::focusWidget(), control("Tv_Kaiso"));
    EXPECT_GT(window->levelTree().count(), 1);
    EXPECT_TRUE(tables.messages().messages().empty());
}

// The separate-sheet frame follows 内訳情報 and whether start-up found sheet rows.
TEST_F(MainWindow, SeparateSheetFrameWithAndWithoutSheetRows) {
    for (bool sheets : {false, true}) {
        SCOPED_TRACE(sheets ? "with sheet rows" : "without sheet rows");
        appContext().BesshiExists = sheets;
        window = openMain();
        EXPECT_EQ(control("Frm2D_Besshi")->isEnabled(), sheets);
        EXPECT_EQ(control("Chk_BesshiPrint")->isEnabled(), sheets);
        EXPECT_FALSE(control("Chk_PageTsuban")->isEnabled());
        if (sheets) {
            click("Chk_BesshiPrint");
            EXPECT_TRUE(control("Chk_PageTsuban")->isEnabled());
        }
        click("Chk_Uchiwake");
        EXPECT_FALSE(control("Frm2D_Besshi")->isEnabled());
        EXPECT_FALSE(control("Frm2D_PrintOption")->isEnabled());
        EXPECT_FALSE(control("Cmb_Shutsuryokuyoshiki")->isEnabled());
        EXPECT_FALSE(control("Tv_Kaiso")->isVisible());
        EXPECT_TRUE(control("Tv_Dammy")->isVisible());
        click("Chk_Uchiwake");
        EXPECT_EQ(control("Frm2D_Besshi")->isEnabled(), sheets);
        EXPECT_EQ(control("Opt_PrintOnlyBesshi")->isEnabled(), sheets);
        // Rechecked with the sheet box still ticked: page numbering may continue.
        EXPECT_EQ(control("Chk_PageTsuban")->isEnabled(), sheets);
        EXPECT_TRUE(control("Tv_Kaiso")->isVisible());
    }
}

TEST_F(MainWindow, PrintEnablingAcrossTheFourOutputBoxes) {
    window = openMain();
    // Unchecking 内訳情報 disables Print whatever the others show; any later click that
    // leaves one output box checked enables it again.
    const std::pair<const char*, bool> clicks[] = {
        {"Chk_Daikahyo", true},  {"Chk_Uchiwake", false}, {"Chk_KojiGaiyo", true},
        {"Chk_KojiGaiyo", true}, {"Chk_Daikahyo", false}, {"Chk_Mitsumoriyoko", true}};
    for (auto [name, enabled] : clicks) {
        click(name);
        EXPECT_EQ(control("Cmd_Print")->isEnabled(), enabled) << name;
    }
}

TEST_F(MainWindow, SheetOptionsSetPageNumberingWithoutLookingAtTheSheetBox) {
    appContext().BesshiExists = true;
    window = openMain();
    ASSERT_FALSE(box("Chk_BesshiPrint")->isChecked());
    click("Opt_PrintOnlyBesshi");
    EXPECT_FALSE(control("Chk_PageTsuban")->isEnabled());
    click("Opt_PrintBesshiAndAll");
    EXPECT_TRUE(control("Chk_PageTsuban")->isEnabled());
    click("Chk_BesshiPrint");
    click("Chk_BesshiPrint");
    EXPECT_FALSE(control("Chk_PageTsuban")->isEnabled());
}

TEST_F(MainWindow, CompanyNameNotInTheMasterIsShownAsTyped) {
    platform::VBFILE_WriteINI("KALVERON", "PRINTCOMAPNYNAME", "  有限会社どこにもない工務店 ", 0,
                              context::fnGetIniPath());
    window = openMain();
    auto* company = child<QComboBox>(window.get(), "Cmb_KaishaName");
    EXPECT_EQ(company->currentText(), "有限会社どこにもない工務店");
    EXPECT_EQ(company->findText(company->currentText()), -1);
}

TEST_F(MainWindow, LevelByLevelOrderFollowsBitFourOfTheBreakdownName) {
    for (int16_t flag : {0, 4, 5}) {
        appContext().UchiwakeName.種別フラグ = flag;
        window = openMain();
        EXPECT_EQ(control("Opt_PrintJunjoAllToAll")->isEnabled(), (flag & 4) == 0) << flag;
        EXPECT_TRUE(control("Opt_PrintJunjoToDown")->isEnabled());
    }
}

TEST_F(MainWindow, OptionRecordFromTheControls) {
    window = openMain();
    child<QComboBox>(window.get(), "Cmb_Shutsuryokuyoshiki")->setCurrentIndex(1);
    child<QComboBox>(window.get(), "Cmb_KaishaName")->setEditText(" 会社Ａ  ");
    click("Chk_PrintOnlySuryo");
    click("Opt_PageTypePageName");
    auto* pages = child<QLineEdit>(window.get(), "Txt_PageCount");
    pages->clear();
    print::PrintRunChoices choices;
    ASSERT_TRUE(window->collectChoices(choices));
    EXPECT_EQ(choices.options.nPrintJunjo, 2);
    EXPECT_EQ(choices.options.nOnlySuryo, 1);
    EXPECT_EQ(choices.options.nPageType, 2);
    // Blank page count gives 0.
    EXPECT_EQ(choices.options.nPageStart, 0);
    EXPECT_EQ(choices.options.sCompanyName, " 会社Ａ");
    EXPECT_EQ(choices.companyText, " 会社Ａ  ");
    EXPECT_EQ(choices.options.sPrintTypeName,
              child<QComboBox>(window.get(), "Cmb_Shutsuryokuyoshiki")->itemText(1).toStdString());
    QTest::keyClicks(pages, "99999");
    EXPECT_FALSE(window->collectChoices(choices));
}

// Tick everything from the menu, print: the rows are written, the viewers opened.
TEST_F(MainWindow, PrintRunWritesTheStatementAndShowsIt) {
    window = openMain();
    auto host = std::make_unique<ReportViewerHost>();
    reports::ReportViewers& viewers = host->viewers();
    window->setViewerHost(std::move(host));
    auto* tree = child<QTreeView>(window.get(), "Tv_Kaiso");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualRect(tree->model()->index(0, 0)).center());
    child<QAction>(window.get(), "mnuPrintCheckAllKaiso")->trigger();
    click("Chk_Daikahyo");
    click("Cmd_Print");
    const int64_t rows = tables.count("内訳出力 Where 内訳名称ＩＤ = " +
                                      std::to_string(appContext().UchiwakeNameID));
    EXPECT_GT(rows, 0);
    EXPECT_EQ(rows % 15, 0);
    ASSERT_NE(viewers.viewer(print::ViewerKind::Uchiwakesho), nullptr);
    EXPECT_TRUE(viewers.viewer(print::ViewerKind::Uchiwakesho)->isVisible());
    EXPECT_NE(viewers.viewer(print::ViewerKind::Daika), nullptr);
    EXPECT_EQ(viewers.viewer(print::ViewerKind::Youkou), nullptr);
    EXPECT_FALSE(control("Prg_PrgBar")->isVisible());
    EXPECT_TRUE(tables.messages().messages().empty());
    // The next run closes the viewers of this one first.
    click("Chk_Uchiwake");
    click("Chk_KojiGaiyo");
    click("Cmd_Print");
    EXPECT_TRUE(QTest::qWaitFor(
        [&viewers] { return viewers.viewer(print::ViewerKind::Uchiwakesho) == nullptr; }));
    EXPECT_NE(viewers.viewer(print::ViewerKind::Gaiyou), nullptr);
    EXPECT_NE(viewers.viewer(print::ViewerKind::Daika), nullptr);
    // The exit closes them too.
    click("Cmd_End");
    EXPECT_TRUE(QTest::qWaitFor(
        [&viewers] { return viewers.viewer(print::ViewerKind::Daika) == nullptr; }));
}

// 終了 runs the exit steps: the company name typed is kept, the main program started.
TEST_F(MainWindow, EndKeepsTheCompanyNameAndHandsOff) {
    platform::VBFILE_WriteINI("KALVERON", "MAIN_PROGRAM", "true", 0, context::fnGetIniPath());
    window = openMain();
    child<QComboBox>(window.get(), "Cmb_KaishaName")->setEditText("新しい会社名 ");
    click("Cmd_End");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->lastHandOff(), app::HandOff::Started);
    EXPECT_FALSE(appContext().Database);
    EXPECT_EQ(context::fnReadIniValue("KALVERON", "PRINTCOMAPNYNAME"), "新しい会社名");
}

}  // namespace
}  // namespace omrix::print_window::testing
