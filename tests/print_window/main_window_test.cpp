// Frm_Omrix_Print_Main offscreen: start state, enabling, the choices it collects, a print
// run and the close. The project forms it opens are tested with the project windows.
#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>
#include <csignal>

#include "app/breakdown_load.h"
#include "data/core/variant.h"
#include "platform/ini_write.h"
#include "print_window/system_close_window.h"
#include "print_window/viewer_host_window.h"
#include "window_fixture.h"

namespace omrix::print_window::testing {
namespace {

using context::appContext;

class MainWindow : public DemoWindowTest {
  protected:
    bool on(const char* name) { return child<QAbstractButton>(window.get(), name)->isChecked(); }
    QWidget* control(const char* name) { return child<QWidget>(window.get(), name); }
    // As a click on the control does, wherever the offscreen screen put it.
    void click(const char* name) { child<QAbstractButton>(window.get(), name)->click(); }

    // Every node ticked from the tree's first node.
    void tickEverything() {
        auto* tree = child<QTreeView>(window.get(), "Tv_Kaiso");
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualRect(tree->model()->index(0, 0)).center());
        child<QAction>(window.get(), "mnuPrintCheckAllKaiso")->trigger();
    }
    // The exit steps run as 終了 runs them but hand nothing back to the main program.
    void expectSystemClose(const std::function<void(SystemCloseWatch&)>& ask,
                           const std::string& company) {
        platform::VBFILE_WriteINI("KALVERON", "MAIN_PROGRAM", "true", 0, context::fnGetIniPath());
        window = openMain();
        SystemCloseWatch watch(*window);
        child<QComboBox>(window.get(), "Cmb_KaishaName")
            ->setEditText(QString::fromStdString(company));
        ask(watch);
        expectExitSteps(app::HandOff::Skipped, company);
    }
    // The exit steps ran: window gone, database closed, the company typed written.
    void expectExitSteps(app::HandOff handOff, const std::string& company) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
        EXPECT_EQ(window->lastHandOff(), handOff);
        EXPECT_FALSE(appContext().Database);
        EXPECT_EQ(context::fnReadIniValue("KALVERON", "PRINTCOMAPNYNAME"), company);
    }

    std::unique_ptr<Frm_Omrix_Print_Main> window;
};

// The project line; what is ticked, shown and enabled at the start; the level tree's
// menu; Print enabled by the four output boxes.
TEST_F(MainWindow, StartState) {
    window = openMain();
    EXPECT_EQ(child<QLabel>(window.get(), "Lbl_Bukken")->text(), "00000001-01 デモ物件");
    const QSize laptop = window->size();
    // Only 内訳情報 and the first option of each group ticked.
    std::string ticked;
    for (const char* name : {"Chk_Uchiwake", "Chk_Daikahyo", "Chk_KojiGaiyo", "Chk_Mitsumoriyoko",
                             "Chk_ReRead", "Opt_PrintJunjoToDown", "Opt_PageTypeOnlyNum",
                             "Chk_BesshiPrint", "Opt_PrintBesshiAndAll", "Chk_PageTsuban"})
        ticked += on(name) ? "1" : "0";
    EXPECT_EQ(ticked, "1000011010");
    EXPECT_FALSE(control("Frm2D_PrintJunjo")->isVisible());
    EXPECT_EQ(child<QLineEdit>(window.get(), "Txt_PageCount")->text(), "1");
    // The print types in ID order, the first chosen; the tree has the keyboard focus.
    auto* types = child<QComboBox>(window.get(), "Cmb_Shutsuryokuyoshiki");
    EXPECT_EQ(types->currentText(), "B5");
    EXPECT_EQ(QApplication::focusWidget(), control("Tv_Kaiso"));
    EXPECT_TRUE(tables.messages().messages().empty());

    // The level tree's menu heads the menu bar and is the tree's context menu.
    auto* menu = child<QMenu>(window.get(), "mnuPrintCheck");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(window->menuBar()->actions().value(0), menu->menuAction());
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(child<QTreeView>(window.get(), "Tv_Kaiso")->viewport(), &menuKey);
    EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    menu->close();

    // Unchecking 内訳情報 disables Print whatever the others show; any later click that
    // leaves one output box checked enables it again.
    const std::pair<const char*, bool> clicks[] = {
        {"Chk_Daikahyo", true},  {"Chk_Uchiwake", false}, {"Chk_KojiGaiyo", true},
        {"Chk_KojiGaiyo", true}, {"Chk_Daikahyo", false}, {"Chk_Mitsumoriyoko", true}};
    for (auto [name, enabled] : clicks) {
        click(name);
        EXPECT_EQ(control("Cmd_Print")->isEnabled(), enabled) << name;
    }
    // A project name of 100,000 characters: the window keeps its size, the label ends in
    // "…" within it and the whole line is the tooltip.
    appContext().BukkenName = std::string(100000, 'W');
    window = openMain();
    auto* label = child<QLabel>(window.get(), "Lbl_Bukken");
    EXPECT_EQ(window->size(), laptop);
    EXPECT_LE(label->width(), window->width());
    EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << label->text().size();
    EXPECT_EQ(label->toolTip(), "00000001-01 " + QString(100000, 'W'));
}

// The separate-sheet frame follows 内訳情報 and whether start-up found sheet rows; the
// sheet options set page numbering without looking at the sheet box.
TEST_F(MainWindow, SeparateSheetFrameWithAndWithoutSheetRows) {
    auto state = [&] {  // enabled: the frame, 別紙のみ, 通番, the options, the print types
        std::string out;
        for (const char* name : {"Frm2D_Besshi", "Opt_PrintOnlyBesshi", "Chk_PageTsuban",
                                 "Frm2D_PrintOption", "Cmb_Shutsuryokuyoshiki"})
            out += control(name)->isEnabled() ? "1" : "0";
        return out + (control("Tv_Kaiso")->isVisible() ? " tree" : " blank");
    };
    for (bool sheets : {false, true}) {
        SCOPED_TRACE(sheets ? "with sheet rows" : "without sheet rows");
        appContext().BesshiExists = sheets;
        window = openMain();
        EXPECT_EQ(state(), sheets ? "11011 tree" : "00011 tree");
        if (sheets) click("Chk_BesshiPrint");
        click("Chk_Uchiwake");
        EXPECT_EQ(state(), "00000 blank");
        EXPECT_TRUE(control("Tv_Dammy")->isVisible());
        click("Chk_Uchiwake");
        // Rechecked with the sheet box still ticked: page numbering may continue.
        EXPECT_EQ(state(), sheets ? "11111 tree" : "00011 tree");
    }
    click("Chk_BesshiPrint");
    EXPECT_EQ(state(), "11011 tree");
    click("Opt_PrintBesshiAndAll");
    EXPECT_EQ(state(), "11111 tree");
    click("Opt_PrintOnlyBesshi");
    EXPECT_EQ(state(), "11011 tree");
}

// Level-by-level order by bit 4 of the name; the options as the controls show them.
TEST_F(MainWindow, OptionRecordFromTheControls) {
    for (int16_t flag : {4, 0}) {
        appContext().UchiwakeName.種別フラグ = flag;
        window = openMain();
        EXPECT_EQ(control("Opt_PrintJunjoAllToAll")->isEnabled(), flag == 0);
    }
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
    EXPECT_EQ(choices.options.nPageStart, 0);
    EXPECT_EQ(choices.options.sCompanyName, " 会社Ａ");
    EXPECT_EQ(choices.companyText, " 会社Ａ  ");
    QTest::keyClicks(pages, "99999");  // the fifth 9 would pass 32767: refused
    ASSERT_TRUE(window->collectChoices(choices));
    EXPECT_EQ(choices.options.nPageStart, 9999);
    pages->setText("-");  // a sign alone is no number yet: the run ends silently
    EXPECT_FALSE(window->collectChoices(choices));
}

// Records what the window shows when a run unloads the viewers (its first step) and
// when it opens one (its last), and presses 印刷 again in the middle.
class WatchingHost : public reports::ViewerHost {
  public:
    explicit WatchingHost(QWidget& window) : window_(window) {}
    void closeViewers() override { seen += "close:" + state() + ";"; }
    bool openViewer(print::ViewerKind, reports::Report&) override {
        seen += "open:" + state() + ";";
        // Neither a second run nor a form, which would share the run's connection.
        for (const char* button : {"Cmd_Print", "Cmd_KojiGaiyo", "Cmd_Mitsumoriyoko"})
            child<QPushButton>(&window_, button)->click();
        return true;
    }
    std::string seen;

  private:
    std::string state() {
        auto* bar = child<QProgressBar>(&window_, "Prg_PrgBar");
        return child<QLabel>(&window_, "Lbl_Prg")->text().toStdString() +
               (bar->isVisible() ? " bar" : "") +
               (child<QPushButton>(&window_, "Cmd_Print")->isEnabled() ? " enabled" : "");
    }
    QWidget& window_;
};

// A run shows its progress from its first moment, the re-read counting the lines, and until
// the viewer is up; 印刷 and the forms are off until it ends: a press meanwhile runs nothing.
TEST_F(MainWindow, PrintRunShowsProgressAtOnceAndTakesNoSecondPress) {
    window = openMain();
    auto host = std::make_unique<WatchingHost>(*window);
    WatchingHost& watching = *host;
    window->setViewerHost(std::move(host));
    window->setKojiGaiyoWindow([&](QWidget*) { watching.seen += "工事概要;"; });
    window->setMitsumoriyokoWindow([&](QWidget*) { watching.seen += "見積要項;"; });
    child<QAction>(window.get(), "mnuPrintCheckAllKaiso")->trigger();  // no node yet: nothing
    tickEverything();
    click("Chk_ReRead");
    int highest = -1;
    auto* bar = child<QProgressBar>(window.get(), "Prg_PrgBar");
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        auto* caption = child<QLabel>(window.get(), "Lbl_Prg");
        if (caption->text() == "印刷の準備をしています・・・") highest = std::max(highest, value);
    });
    click("Cmd_Print");
    // The re-read's bar runs to one short of its maximum, the count of live lines.
    EXPECT_EQ(highest, tables.count("内訳 Where 削除区分 = '0' And 内訳名称ＩＤ = " +
                                    std::to_string(appContext().UchiwakeNameID)) -
                           1);
    // The presses during the run left no trace; the forms open again after it.
    EXPECT_EQ(watching.seen,
              "close:印刷の準備をしています・・・ bar;open:内訳書を開いています・・・ bar;");
    EXPECT_TRUE(control("Cmd_Print")->isEnabled());
    click("Cmd_KojiGaiyo");
    click("Cmd_Mitsumoriyoko");
    EXPECT_EQ(watching.seen.substr(watching.seen.rfind("bar;") + 4), "工事概要;見積要項;");
    EXPECT_FALSE(control("Prg_PrgBar")->isVisible());
    EXPECT_EQ(child<QLabel>(window.get(), "Lbl_Prg")->text(), "");
}

// Everything ticked and printed: rows written, viewers shown, closed by the next run and by
// 終了, which keeps the company typed (one not in the master shown) and hands off.
TEST_F(MainWindow, PrintRunShowsTheStatementAndTheEndHandsOff) {
    platform::VBFILE_WriteINI("KALVERON", "MAIN_PROGRAM", "true", 0, context::fnGetIniPath());
    platform::VBFILE_WriteINI("KALVERON", "PRINTCOMAPNYNAME", "  有限会社どこにもない工務店 ", 0,
                              context::fnGetIniPath());
    window = openMain();
    auto* company = child<QComboBox>(window.get(), "Cmb_KaishaName");
    EXPECT_EQ(company->currentText(), "有限会社どこにもない工務店");
    EXPECT_EQ(company->findText(company->currentText()), -1);
    auto host = std::make_unique<ReportViewerHost>();
    reports::ReportViewers& viewers = host->viewers();
    window->setViewerHost(std::move(host));
    tickEverything();
    click("Chk_Daikahyo");
    click("Cmd_Print");
    const int64_t rows = tables.count("内訳出力 Where 内訳名称ＩＤ = " +
                                      std::to_string(appContext().UchiwakeNameID));
    EXPECT_TRUE(rows > 0 && rows % 15 == 0) << rows;
    using print::ViewerKind;
    // Which of 内訳書, 見積要項, 工事概要, 代価表 have a viewer, as 1 and 0.
    auto shown = [&viewers] {
        std::string out;
        for (auto kind :
             {ViewerKind::Uchiwakesho, ViewerKind::Youkou, ViewerKind::Gaiyou, ViewerKind::Daika})
            out += viewers.viewer(kind) != nullptr && viewers.viewer(kind)->isVisible() ? "1" : "0";
        return out;
    };
    EXPECT_EQ(shown(), "1001");
    EXPECT_FALSE(control("Prg_PrgBar")->isVisible());
    EXPECT_TRUE(tables.messages().messages().empty());
    // The next run closes the viewers of this one first; the exit closes them too.
    click("Chk_Uchiwake");
    click("Chk_KojiGaiyo");
    click("Cmd_Print");
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == "0011"; })) << shown();
    company->setEditText("新しい会社名 ");
    click("Cmd_End");
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == "0000"; })) << shown();
    expectExitSteps(app::HandOff::Started, "新しい会社名");
}

// ---- the whole breakdown loading behind the window --------------------------------

// The statement rows of the breakdown in 内訳出力 as text, one line each in key order,
// the audit columns (the time of the write) left out.
std::string statementRows(omrix::testing::TableDatabase& t) {
    auto rs = t.db().fnOpenRecordSet("Select * From 内訳出力 Where 内訳名称ＩＤ = " +
                                     std::to_string(appContext().UchiwakeNameID) +
                                     " Order By 内訳出力ＩＤ;");
    EXPECT_TRUE(rs);
    std::string text;
    constexpr int kAuditColumns = 5;
    for (; rs && !rs->pbEOF(); rs->fnMoveNext()) {
        for (int column = kAuditColumns; column < rs->columnCount(); ++column)
            text += data::variantToText(rs->fnGetVariant(column)) + "|";
        text += "\n";
    }
    return text;
}

class LoadBehindWindow : public MainWindow {
  protected:
    // Start-up as the desktop program runs it: the window on the outline, the whole
    // breakdown still loading behind it.
    void openWithLoadBehind() {
        std::unique_ptr<app::BreakdownLoad> pending;
        ASSERT_EQ(app::runStartup(&pending), app::StartupEnd::Started);
        ASSERT_TRUE(pending);
        load = pending.get();
        // Nothing can print from the outline: the program's breakdown is not there yet.
        EXPECT_FALSE(appContext().UchiwakeRoot);
        window = std::make_unique<Frm_Omrix_Print_Main>(nullptr, std::move(pending));
        window->show();
    }
    // Every node ticked, 内訳情報 alone printed to a viewer that only counts.
    void printEverything() {
        tickEverything();
        click("Cmd_Print");
    }
    app::BreakdownLoad* load = nullptr;  // the window's, while it has one
};

// 印刷 pressed at once waits for the whole breakdown, showing that it does, and prints
// the rows a start with the whole breakdown loaded first prints.
TEST_F(LoadBehindWindow, AnEarlyPrintWaitsAndPrintsTheWholeBreakdown) {
    omrix::testing::TableDatabase big;
    ASSERT_NO_FATAL_FAILURE(omrix::testing::startOnDemo(big, 20000, "-B:00000001 -H:01 -T:1"));
    window = openMain();
    window->setViewerHost(std::make_unique<WatchingHost>(*window));
    printEverything();
    const std::string whole = statementRows(big);
    ASSERT_FALSE(whole.empty());
    window.reset();

    big.exec("DELETE FROM 内訳出力;");
    ASSERT_NO_FATAL_FAILURE(openWithLoadBehind());
    auto host = std::make_unique<WatchingHost>(*window);
    WatchingHost& watching = *host;
    window->setViewerHost(std::move(host));
    std::string waited;
    QObject::connect(child<QProgressBar>(window.get(), "Prg_PrgBar"), &QProgressBar::valueChanged,
                     [&] {
                         auto* caption = child<QLabel>(window.get(), "Lbl_Prg");
                         if (caption->text() == "内訳を読み込んでいます・・・") waited = "shown";
                     });
    const bool stillLoading = !load->ended();
    printEverything();
    EXPECT_FALSE(window->breakdownPending());
    EXPECT_TRUE(appContext().UchiwakeRoot);
    EXPECT_EQ(statementRows(big), whole);
    // The run itself then went as ever, once.
    EXPECT_EQ(watching.seen,
              "close:印刷の準備をしています・・・ bar;open:内訳書を開いています・・・ bar;");
    if (stillLoading) {
        EXPECT_EQ(waited, "shown");
    }
    EXPECT_TRUE(big.messages().messages().empty());
}

// A breakdown the whole load refuses though its outline reads shows what start-up shows
// for it, in the same order, and ends the program as start-up does: no exit steps, no
// hand-off. Left alone, the window notices by itself; 印刷 pressed first notices too.
TEST_F(LoadBehindWindow, AFailureBehindTheWindowShowsStartupsMessagesAndEnds) {
    // A stored amount that is no number, on a line item (the outline reads headings).
    const char* badAmount =
        "UPDATE 内訳 SET 見積１単価 = 'abc' WHERE 内訳ＩＤ = (SELECT "
        "MAX(内訳ＩＤ) FROM 内訳 WHERE 種別フラグ = 8);";
    const struct {
        const char* sql;
        bool press;  // 印刷 pressed before the load is noticed
    } cases[] = {{badAmount, false},
                 {badAmount, true},
                 // A table only the whole load reads made unreadable.
                 {"ALTER TABLE 代価表 RENAME TO 代価表_退避;", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        omrix::testing::TableDatabase broken;
        ASSERT_NO_FATAL_FAILURE(omrix::testing::startOnDemo(broken, 300, "-B:00000001 -H:01"));
        platform::VBFILE_WriteINI("KALVERON", "MAIN_PROGRAM", "true", 0, context::fnGetIniPath());
        broken.exec(c.sql);
        ASSERT_EQ(app::runStartup(), app::StartupEnd::Breakdown);
        const std::vector<platform::ShownMessage> startup = broken.messages().messages();
        ASSERT_FALSE(startup.empty());
        EXPECT_EQ(startup.back().number, 3010);
        EXPECT_EQ(startup.back().params[0], "内訳の取得");
        broken.messages().clear();

        ASSERT_NO_FATAL_FAILURE(openWithLoadBehind());
        child<QComboBox>(window.get(), "Cmb_KaishaName")->setEditText("書かれない会社");
        if (c.press) printEverything();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 10000));
        EXPECT_TRUE(window->startupStopped());
        EXPECT_FALSE(appContext().UchiwakeRoot);
        auto said = [](const std::vector<platform::ShownMessage>& messages) {
            std::string out;
            for (const auto& m : messages) out += std::to_string(m.number) + " " + m.text + "\n";
            return out;
        };
        EXPECT_EQ(said(broken.messages().messages()), said(startup));
        EXPECT_EQ(window->lastHandOff(), app::HandOff::Skipped);
        EXPECT_EQ(context::fnReadIniValue("KALVERON", "PRINTCOMAPNYNAME"), "");
        window.reset();
    }
}

// 終了 while the whole still loads runs the exit steps at once; the load's thread and its
// connection end with the window.
TEST_F(LoadBehindWindow, ClosingWhileTheLoadRunsEndsCleanly) {
    omrix::testing::TableDatabase big;
    ASSERT_NO_FATAL_FAILURE(omrix::testing::startOnDemo(big, 20000, "-B:00000001 -H:01"));
    platform::VBFILE_WriteINI("KALVERON", "MAIN_PROGRAM", "true", 0, context::fnGetIniPath());
    ASSERT_NO_FATAL_FAILURE(openWithLoadBehind());
    child<QComboBox>(window.get(), "Cmb_KaishaName")->setEditText("閉じた会社");
    click("Cmd_End");
    EXPECT_FALSE(window->isVisible());
    expectExitSteps(app::HandOff::Started, "閉じた会社");
    window.reset();
    EXPECT_FALSE(appContext().UchiwakeRoot);
    EXPECT_TRUE(big.messages().messages().empty());
}

TEST_F(MainWindow, SigtermRunsTheExitStepsWithoutTheHandOff) {
    expectSystemClose([](SystemCloseWatch&) { ASSERT_EQ(::raise(SIGTERM), 0); }, "終了時の会社");
}

// What the session manager's commitDataRequest asks for.
TEST_F(MainWindow, TheSessionEndRunsTheExitStepsWithoutTheHandOff) {
    expectSystemClose(
        [](SystemCloseWatch& watch) { watch.closeFor(app::CloseReason::SystemShutdown); },
        "会話の終わりの会社");
}

}  // namespace
}  // namespace omrix::print_window::testing
