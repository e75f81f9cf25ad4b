#pragma once
// Frm_Omrix_Print_Main, caption "内訳書出力": the level tree, the outputs, the layout,
// the company name and the print options; Print runs a print run, 終了 and the close
// box run the exit steps. Controls carry their names as Qt object names.

#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/breakdown_load.h"
#include "app/startup_sequence.h"
#include "level_tree/level_tree_model.h"
#include "print/print_options.h"
#include "print/print_ui.h"
#include "reports/launch/viewer_host.h"
#include "util/progress.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace omrix::data {
class CCCDBS_DataBase;
}
namespace omrix::reports {
class ReportSet;
}

namespace omrix::print_window {

class ElidedLabel;
class LevelTreeItemModel;
class LevelTreeView;

// Prg_PrgBar and Lbl_Prg mirrored from the write's progress; between rows the window
// paints and takes its events.
class WindowProgress : public util::Progress {
  public:
    WindowProgress(QProgressBar* bar, QLabel* caption);
    void showCaption(std::string_view caption) override;
    // The bar is painted as it moves, the user's input waits for the run.
    bool advance(int64_t done, int64_t total) override;
    void hideCount() override;
    void idle() override;
    // The caption and a busy bar, painted at once: from a run's first moment until its
    // rows are counted, and while a viewer loads (neither takes events).
    void showBusy(std::string_view caption);
    // Bar and caption gone, however the run ended.
    void hideAll();

  private:
    QProgressBar* shownBar_;
    QLabel* caption_;
    int64_t lastEventsAt_ = -1;
    int64_t lastPaintAt_ = -1;  // of the bar alone, while a re-read counts its lines
};

// Opens one of the modal editing windows over the main window.
using ModalWindowOpener = std::function<void(QWidget* owner)>;

class Frm_Omrix_Print_Main : public QMainWindow, public print::PrintUi, public reports::ViewerHost {
  public:
    // Builds the controls and runs Form_Load on the loaded AppContext. With `pending`,
    // the level tree is built from its outline, and the whole breakdown joins
    // AppContext when the load ends, or when 印刷 is pressed, which waits for it.
    explicit Frm_Omrix_Print_Main(QWidget* parent = nullptr,
                                  std::unique_ptr<app::BreakdownLoad> pending = nullptr);
    ~Frm_Omrix_Print_Main() override;

    // The viewers of the print runs: the report viewer windows unless replaced.
    void setViewerHost(std::unique_ptr<reports::ViewerHost> host);
    reports::ViewerHost& viewerHost() { return *viewers_; }
    // Frm_Omrix_Print_KojiGaiyo and Frm_Omrix_Print_Mitsumoriyoko unless replaced.
    void setKojiGaiyoWindow(ModalWindowOpener open) { openKojiGaiyo_ = std::move(open); }
    void setMitsumoriyokoWindow(ModalWindowOpener open) { openMitsumoriyoko_ = std::move(open); }

    level_tree::LevelTreeModel& levelTree() { return tree_; }
    reports::ReportSet& reportSet() { return *reports_; }
    // How the last close handed off to the suite's main program.
    app::HandOff lastHandOff() const { return handOff_; }
    // The breakdown failed to load after the window was shown: start-up's message was
    // shown and the window closed without the exit steps, as start-up would have ended.
    bool startupStopped() const { return startupStopped_; }
    // The background load is still to be finished.
    bool breakdownPending() const { return pending_ != nullptr; }

    // Set before a close that the system asks for (session end): no hand-off then.
    void setCloseReason(app::CloseReason reason) { closeReason_ = reason; }

    // The print run of one press of Cmd_Print; nothing while a run is going.
    void Cmd_Print_Click();
    // What fnGetPrintOption reads, taken from the controls.
    print::PrintOptionControls optionControls() const;

    // PrintUi and ViewerHost
    void closeViewers() override;
    bool collectChoices(print::PrintRunChoices& choices) override;
    void focusLevelTree() override;
    void showPageNameWindow() override;
    util::Progress* writeProgress() override { return progress_.get(); }
    void setBusy(bool busy) override;
    // ViewerHost: the viewers set, so the report set keeps one host however it changes.
    bool openViewer(print::ViewerKind viewer, reports::Report& report) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    // Marks a run going or ended, with the controls it switches off meanwhile.
    void setRunning(bool running);
    QWidget* buildTreeSide();
    QWidget* buildChoiceSide();
    QGroupBox* buildOutputFrame();
    QGroupBox* buildLayoutFrames(QGroupBox*& company);
    QGroupBox* buildOrderFrame();
    QGroupBox* buildOptionFrame();
    QGroupBox* buildSheetFrame();
    QFrame* buildCommandFrame();
    void buildMenu();
    void connectRules();

    void Form_Load();
    void sbInitControls();
    void sbSetControls();
    bool fnSetPrintTypeCmb(data::CCCDBS_DataBase& db);
    void fnSetUchiwakeCompanyCmb(data::CCCDBS_DataBase& db);
    void fnDispBukkenLabel();
    void fnAllMusk(bool bMuskFlag);
    void sbPrintOptionEnable(bool enable);
    void fnCmd_PrintMuskCheck();
    void Chk_Uchiwake_Click();
    void Chk_BesshiPrint_Click();
    void Opt_PrintBesshiAndAll_Click();
    void Opt_PrintOnlyBesshi_Click();
    void Form_QueryUnload();
    void watchPendingLoad();
    bool finishPendingLoad();

    level_tree::LevelTreeModel tree_;
    std::unique_ptr<reports::ViewerHost> viewers_;
    std::unique_ptr<reports::ReportSet> reports_;
    std::unique_ptr<WindowProgress> progress_;
    ModalWindowOpener openKojiGaiyo_;
    ModalWindowOpener openMitsumoriyoko_;
    std::unique_ptr<app::BreakdownLoad> pending_;
    bool startupStopped_ = false;
    bool running_ = false;
    bool closeWaiting_ = false;
    bool closed_ = false;
    app::CloseReason closeReason_ = app::CloseReason::User;
    app::HandOff handOff_ = app::HandOff::Skipped;

    LevelTreeItemModel* treeModel_ = nullptr;
    ElidedLabel* Lbl_Bukken = nullptr;
    LevelTreeView* Tv_Kaiso = nullptr;
    QTreeView* Tv_Dammy = nullptr;
    QCheckBox* Chk_ReRead = nullptr;
    QGroupBox* Frm2D_Print = nullptr;
    QCheckBox* Chk_Uchiwake = nullptr;
    QCheckBox* Chk_Daikahyo = nullptr;
    QCheckBox* Chk_KojiGaiyo = nullptr;
    QCheckBox* Chk_Mitsumoriyoko = nullptr;
    QPushButton* Cmd_KojiGaiyo = nullptr;
    QPushButton* Cmd_Mitsumoriyoko = nullptr;
    QGroupBox* Frm2D_Shutsuryokuyoshiki = nullptr;
    QComboBox* Cmb_Shutsuryokuyoshiki = nullptr;
    QGroupBox* Frm2D_KanshaName = nullptr;
    QComboBox* Cmb_KaishaName = nullptr;
    QGroupBox* Frm2D_PrintJunjo = nullptr;
    QRadioButton* Opt_PrintJunjoToDown = nullptr;
    QRadioButton* Opt_PrintJunjoAllToAll = nullptr;
    QGroupBox* Frm2D_PrintOption = nullptr;
    QCheckBox* Chk_PrintOnlySuryo = nullptr;
    QCheckBox* Chk_PrintChofukuShoryaku = nullptr;
    QLabel* Lbl_PageCount = nullptr;
    QLineEdit* Txt_PageCount = nullptr;
    QLabel* Lbl_Kara = nullptr;
    QLabel* Lbl_PageType = nullptr;
    QRadioButton* Opt_PageTypeOnlyNum = nullptr;
    QRadioButton* Opt_PageTypePageName = nullptr;
    QGroupBox* Frm2D_Besshi = nullptr;
    QCheckBox* Chk_BesshiPrint = nullptr;
    QRadioButton* Opt_PrintBesshiAndAll = nullptr;
    QRadioButton* Opt_PrintOnlyBesshi = nullptr;
    QCheckBox* Chk_PageTsuban = nullptr;
    QFrame* Frm2D_Cmd = nullptr;
    QPushButton* Cmd_Print = nullptr;
    QPushButton* Cmd_End = nullptr;
    QProgressBar* Prg_PrgBar = nullptr;
    QLabel* Lbl_Prg = nullptr;
    QMenu* mnuPrintCheck = nullptr;
};

}  // namespace omrix::print_window
