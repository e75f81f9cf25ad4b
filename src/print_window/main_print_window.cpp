#include "print_window/main_print_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <QValidator>
#include <chrono>

#include "breakdown/tree/edit_ucw.h"
#include "context/app_context.h"
#include "context/ini_file.h"
#include "data/tables/id_numbering.h"
#include "print/print_choice_lists.h"
#include "print/print_options.h"
#include "print/print_run.h"
#include "print/print_source.h"
#include "print_window/elided_label_widget.h"
#include "print_window/level_tree_widget.h"
#include "print_window/message_box_window.h"
#include "print_window/page_name_window.h"
#include "print_window/viewer_host_window.h"
#include "project/forms/koji_gaiyo_window.h"
#include "project/forms/mitsumoriyoko_window.h"
#include "reports/launch/report_set.h"
#include "util/qt_text.h"
#include "util/text.h"

namespace omrix::print_window {
namespace {

using context::appContext;

// The connection, project, version, authority, factor and numbering policy the forms
// work with, as start-up left them.
project::ProjectFormInputs projectFormInputsFromContext() {
    const context::AppContext& c = appContext();
    return {.db = c.Database.get(),
            .bukkenNo = c.BukkenNo,
            .hanNo = c.HanNo,
            .kengen = c.Kengen,
            .tuboKansan = c.TuboKansan,
            .numbering = data::lockRetryPolicyFromContext()};
}

constexpr int16_t kUchiwakeNameNoAllToAll = 4;  // 種別フラグ bit: level-by-level order refused
constexpr auto kEventsEvery = std::chrono::milliseconds(40);
constexpr std::string_view kPreparingCaption = "印刷の準備をしています・・・";
constexpr const char* kOpeningCaption = "を開いています・・・";
constexpr std::string_view kLoadingCaption = "内訳を読み込んでいます・・・";
constexpr auto kLoadWatchEvery = std::chrono::milliseconds(50);

struct WindowGeometry {
    int width;
    int height;
    int treeStretch;
    int choiceStretch;
    int pageCountWidth;
};
// Fits a 1366x768 laptop screen with room for the panel and the window frame.
constexpr WindowGeometry kGeometry{
    .width = 1000, .height = 660, .treeStretch = 3, .choiceStretch = 2, .pageCountWidth = 60};

using util::qText;
using util::stdText;

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

// The control's own Enabled, whatever its frame shows.
bool ownEnabled(const QWidget* widget) {
    return widget->isEnabledTo(widget->parentWidget());
}

// 頁カウント takes only what the run can read; a refused key or paste beeps.
class PageCountValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        if (print::isPageCountInput(input.toStdString())) return Acceptable;
        QApplication::beep();
        return Invalid;
    }
};

int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

WindowProgress::WindowProgress(QProgressBar* bar, QLabel* caption)
    : shownBar_(bar), caption_(caption) {}

void WindowProgress::showCaption(std::string_view caption) {
    caption_->setText(qText(caption));
    caption_->setVisible(true);
}

bool WindowProgress::advance(int64_t done, int64_t total) {
    // Prg_PrgBar counts in 32 bits, as QProgressBar does.
    shownBar_->setRange(0, static_cast<int>(total));
    shownBar_->setValue(static_cast<int>(done));
    shownBar_->setVisible(true);
    // A re-read counts its lines without a write's idling.
    const int64_t now = nowMs();
    if (lastPaintAt_ >= 0 && now - lastPaintAt_ < kEventsEvery.count()) return true;
    lastPaintAt_ = now;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}

void WindowProgress::hideCount() {
    shownBar_->setVisible(false);
}

void WindowProgress::showBusy(std::string_view caption) {
    showCaption(caption);
    shownBar_->setRange(0, 0);
    shownBar_->setVisible(true);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowProgress::hideAll() {
    util::hideProgress(this);
}

void WindowProgress::idle() {
    // After every row would cost more than the write on a long statement.
    const int64_t now = nowMs();
    if (lastEventsAt_ >= 0 && now - lastEventsAt_ < kEventsEvery.count()) return;
    lastEventsAt_ = now;
    QApplication::processEvents();
}

Frm_Omrix_Print_Main::Frm_Omrix_Print_Main(QWidget* parent,
                                           std::unique_ptr<app::BreakdownLoad> pending)
    : QMainWindow(parent), pending_(std::move(pending)) {
    const context::AppContext& app = context::appContext();
    viewers_ = std::make_unique<ReportViewerHost>(reports::ProjectKey{app.BukkenNo, app.HanNo});
    openKojiGaiyo_ = [](QWidget* owner) {
        project::showKojiGaiyoModal(projectFormInputsFromContext(), owner);
    };
    openMitsumoriyoko_ = [](QWidget* owner) {
        project::showMitsumoriyokoModal(projectFormInputsFromContext(), owner);
    };
    reports_ = std::make_unique<reports::ReportSet>(static_cast<reports::ViewerHost&>(*this));
    buildControls();
    Form_Load();
    watchPendingLoad();
}

Frm_Omrix_Print_Main::~Frm_Omrix_Print_Main() = default;

void Frm_Omrix_Print_Main::setViewerHost(std::unique_ptr<reports::ViewerHost> host) {
    viewers_->closeViewers();
    viewers_ = std::move(host);
}

// ---- controls --------------------------------------------------------------------

void Frm_Omrix_Print_Main::buildControls() {
    setObjectName("Frm_Omrix_Print_Main");
    setWindowTitle("内訳書出力");
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->addWidget(buildTreeSide(), kGeometry.treeStretch);
    columns->addWidget(buildChoiceSide(), kGeometry.choiceStretch);
    setCentralWidget(central);
    buildMenu();
    connectRules();
    progress_ = std::make_unique<WindowProgress>(Prg_PrgBar, Lbl_Prg);
    resize(kGeometry.width, kGeometry.height);
}

QWidget* Frm_Omrix_Print_Main::buildTreeSide() {
    auto* side = new QWidget;
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    Lbl_Bukken = named(new ElidedLabel, "Lbl_Bukken");
    treeModel_ = new LevelTreeItemModel(tree_, this);
    Tv_Kaiso = new LevelTreeView(treeModel_);
    Tv_Dammy = named(new QTreeView, "Tv_Dammy");
    Tv_Dammy->setHeaderHidden(true);
    Tv_Dammy->setToolTip(QString::fromUtf8(kLevelTreeTip));
    Tv_Dammy->hide();
    Chk_ReRead = named(new QCheckBox("印刷時に最新の情報を取得する。"), "Chk_ReRead");
    Chk_ReRead->setToolTip("チェックをつけると最新の内訳情報を読み込んで出力します。");
    column->addWidget(Lbl_Bukken);
    column->addWidget(Tv_Kaiso, 1);
    column->addWidget(Tv_Dammy, 1);
    column->addWidget(Chk_ReRead);
    return side;
}

QWidget* Frm_Omrix_Print_Main::buildChoiceSide() {
    auto* side = new QWidget;
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    QGroupBox* company = nullptr;
    column->addWidget(buildOutputFrame());
    column->addWidget(buildLayoutFrames(company));
    column->addWidget(company);
    column->addWidget(buildOrderFrame());
    column->addWidget(buildOptionFrame());
    column->addWidget(buildSheetFrame());
    column->addStretch(1);
    column->addWidget(buildCommandFrame());
    return side;
}

QGroupBox* Frm_Omrix_Print_Main::buildOutputFrame() {
    Frm2D_Print = named(new QGroupBox("出力対象"), "Frm2D_Print");
    auto* grid = new QGridLayout(Frm2D_Print);
    Chk_Uchiwake = named(new QCheckBox(" 内訳情報"), "Chk_Uchiwake");
    Chk_Daikahyo = named(new QCheckBox(" 代価表"), "Chk_Daikahyo");
    Chk_KojiGaiyo = named(new QCheckBox(" 工事概要"), "Chk_KojiGaiyo");
    Chk_Mitsumoriyoko = named(new QCheckBox(" 見積要項"), "Chk_Mitsumoriyoko");
    Cmd_KojiGaiyo = named(new QPushButton("工事概要編集(&K)"), "Cmd_KojiGaiyo");
    Cmd_Mitsumoriyoko = named(new QPushButton("見積要項編集(&M)"), "Cmd_Mitsumoriyoko");
    grid->addWidget(Chk_Uchiwake, 0, 0);
    grid->addWidget(Chk_Daikahyo, 0, 1);
    grid->addWidget(Chk_KojiGaiyo, 1, 0);
    grid->addWidget(Cmd_KojiGaiyo, 1, 1);
    grid->addWidget(Chk_Mitsumoriyoko, 2, 0);
    grid->addWidget(Cmd_Mitsumoriyoko, 2, 1);
    return Frm2D_Print;
}

QGroupBox* Frm_Omrix_Print_Main::buildLayoutFrames(QGroupBox*& company) {
    Frm2D_Shutsuryokuyoshiki = named(new QGroupBox("出力様式"), "Frm2D_Shutsuryokuyoshiki");
    Cmb_Shutsuryokuyoshiki = named(new QComboBox, "Cmb_Shutsuryokuyoshiki");
    (new QVBoxLayout(Frm2D_Shutsuryokuyoshiki))->addWidget(Cmb_Shutsuryokuyoshiki);

    Frm2D_KanshaName = named(new QGroupBox("内訳書会社名"), "Frm2D_KanshaName");
    Cmb_KaishaName = named(new QComboBox, "Cmb_KaishaName");
    Cmb_KaishaName->setEditable(true);
    // A typed name is the text printed, not a new list entry.
    Cmb_KaishaName->setInsertPolicy(QComboBox::NoInsert);
    (new QVBoxLayout(Frm2D_KanshaName))->addWidget(Cmb_KaishaName);
    company = Frm2D_KanshaName;
    return Frm2D_Shutsuryokuyoshiki;
}

QGroupBox* Frm_Omrix_Print_Main::buildOrderFrame() {
    Frm2D_PrintJunjo = named(new QGroupBox("内訳書出力順序"), "Frm2D_PrintJunjo");
    auto* column = new QVBoxLayout(Frm2D_PrintJunjo);
    Opt_PrintJunjoToDown =
        named(new QRadioButton("１階層目→２階層目→３階層以降→２階層目→３階層以降…"),
              "Opt_PrintJunjoToDown");
    Opt_PrintJunjoAllToAll =
        named(new QRadioButton("１階層目→２階層目全て→３階層以降全て"), "Opt_PrintJunjoAllToAll");
    column->addWidget(Opt_PrintJunjoToDown);
    column->addWidget(Opt_PrintJunjoAllToAll);
    return Frm2D_PrintJunjo;
}

QGroupBox* Frm_Omrix_Print_Main::buildOptionFrame() {
    Frm2D_PrintOption = named(new QGroupBox("印刷オプション"), "Frm2D_PrintOption");
    auto* grid = new QGridLayout(Frm2D_PrintOption);
    Chk_PrintOnlySuryo = named(new QCheckBox("数量のみ印刷する"), "Chk_PrintOnlySuryo");
    Chk_PrintChofukuShoryaku =
        named(new QCheckBox("重複文字を省略する。（〃で示す。）"), "Chk_PrintChofukuShoryaku");
    Lbl_PageCount = named(new QLabel("頁カウント"), "Lbl_PageCount");
    Txt_PageCount = named(new QLineEdit, "Txt_PageCount");
    Txt_PageCount->setMaximumWidth(kGeometry.pageCountWidth);
    Txt_PageCount->setValidator(new PageCountValidator(Txt_PageCount));
    Txt_PageCount->setToolTip(qText(print::kPageCountTip));
    Lbl_Kara = named(new QLabel("から"), "Lbl_Kara");
    Lbl_PageType = named(new QLabel("頁タイプ"), "Lbl_PageType");
    Opt_PageTypeOnlyNum = named(new QRadioButton("数字のみ"), "Opt_PageTypeOnlyNum");
    Opt_PageTypePageName = named(new QRadioButton("頁名称使用"), "Opt_PageTypePageName");
    grid->addWidget(Chk_PrintOnlySuryo, 0, 0, 1, 4);
    grid->addWidget(Chk_PrintChofukuShoryaku, 1, 0, 1, 4);
    grid->addWidget(Lbl_PageCount, 2, 0);
    grid->addWidget(Txt_PageCount, 2, 1);
    grid->addWidget(Lbl_Kara, 2, 2);
    grid->addWidget(Lbl_PageType, 3, 0);
    grid->addWidget(Opt_PageTypeOnlyNum, 3, 1, 1, 2);
    grid->addWidget(Opt_PageTypePageName, 3, 3);
    grid->setColumnStretch(3, 1);
    return Frm2D_PrintOption;
}

QGroupBox* Frm_Omrix_Print_Main::buildSheetFrame() {
    Frm2D_Besshi = named(new QGroupBox("「本書とは別」別紙印刷"), "Frm2D_Besshi");
    auto* grid = new QGridLayout(Frm2D_Besshi);
    Chk_BesshiPrint = named(new QCheckBox("印刷する"), "Chk_BesshiPrint");
    Opt_PrintBesshiAndAll = named(new QRadioButton("別紙と本書"), "Opt_PrintBesshiAndAll");
    Opt_PrintOnlyBesshi = named(new QRadioButton("別紙のみ"), "Opt_PrintOnlyBesshi");
    Chk_PageTsuban = named(new QCheckBox("頁は本書と通番にする"), "Chk_PageTsuban");
    grid->addWidget(Chk_BesshiPrint, 0, 0);
    grid->addWidget(Opt_PrintBesshiAndAll, 0, 1);
    grid->addWidget(Opt_PrintOnlyBesshi, 0, 2);
    grid->addWidget(Chk_PageTsuban, 1, 0, 1, 3);
    return Frm2D_Besshi;
}

QFrame* Frm_Omrix_Print_Main::buildCommandFrame() {
    Frm2D_Cmd = named(new QFrame, "Frm2D_Cmd");
    Frm2D_Cmd->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(Frm2D_Cmd);
    Prg_PrgBar = named(new QProgressBar, "Prg_PrgBar");
    Prg_PrgBar->setVisible(false);
    Lbl_Prg = named(new QLabel, "Lbl_Prg");
    Cmd_Print = named(new QPushButton("印刷(&P)"), "Cmd_Print");
    Cmd_End = named(new QPushButton("終了(&E)"), "Cmd_End");
    grid->addWidget(Lbl_Prg, 0, 0, 1, 2);
    grid->addWidget(Prg_PrgBar, 1, 0, 1, 2);
    grid->addWidget(Cmd_Print, 2, 0);
    grid->addWidget(Cmd_End, 2, 1);
    return Frm2D_Cmd;
}

void Frm_Omrix_Print_Main::buildMenu() {
    mnuPrintCheck = named(menuBar()->addMenu("印刷"), "mnuPrintCheck");
    // Its popup is a window of its own: named, screen readers and tests can tell it.
    mnuPrintCheck->setWindowTitle("印刷");
    for (const level_tree::LevelTreeCommand& command : level_tree::levelTreeMenu()) {
        QAction* item = mnuPrintCheck->addAction(qText(command.caption));
        item->setObjectName(qText(command.name));
        connect(item, &QAction::triggered, this, [this, run = command.run] { (tree_.*run)(); });
    }
    Tv_Kaiso->setCheckMenu(mnuPrintCheck);
}

void Frm_Omrix_Print_Main::connectRules() {
    connect(Chk_Uchiwake, &QCheckBox::toggled, this, [this] { Chk_Uchiwake_Click(); });
    for (QCheckBox* box : {Chk_Daikahyo, Chk_KojiGaiyo, Chk_Mitsumoriyoko}) {
        connect(box, &QCheckBox::toggled, this, [this] { fnCmd_PrintMuskCheck(); });
    }
    connect(Chk_BesshiPrint, &QCheckBox::toggled, this, [this] { Chk_BesshiPrint_Click(); });
    connect(Opt_PrintBesshiAndAll, &QRadioButton::clicked, this,
            [this] { Opt_PrintBesshiAndAll_Click(); });
    connect(Opt_PrintOnlyBesshi, &QRadioButton::clicked, this,
            [this] { Opt_PrintOnlyBesshi_Click(); });
    connect(Cmd_Print, &QPushButton::clicked, this, [this] { Cmd_Print_Click(); });
    connect(Cmd_End, &QPushButton::clicked, this, [this] { close(); });
    connect(Cmd_KojiGaiyo, &QPushButton::clicked, this, [this] {
        if (openKojiGaiyo_) openKojiGaiyo_(this);
    });
    connect(Cmd_Mitsumoriyoko, &QPushButton::clicked, this, [this] {
        if (openMitsumoriyoko_) openMitsumoriyoko_(this);
    });
}

// ---- Form_Load -------------------------------------------------------------------

void Frm_Omrix_Print_Main::Form_Load() {
    setBusy(true);
    sbInitControls();
    sbSetControls();
    fnAllMusk(false);
    fnDispBukkenLabel();
    Chk_Uchiwake->setChecked(true);
    Frm2D_PrintJunjo->hide();
    Tv_Kaiso->setFocus();
    setBusy(false);
}

void Frm_Omrix_Print_Main::sbInitControls() {
    Lbl_Bukken->setFullText({});
    Cmb_Shutsuryokuyoshiki->clear();
    Chk_Mitsumoriyoko->setChecked(false);
    Chk_KojiGaiyo->setChecked(false);
    Chk_Daikahyo->setChecked(false);
    Opt_PrintJunjoToDown->setChecked(true);
    Chk_PrintOnlySuryo->setChecked(false);
    Chk_PrintChofukuShoryaku->setChecked(false);
    Txt_PageCount->setText("1");
    Opt_PageTypeOnlyNum->setChecked(true);
    Chk_BesshiPrint->setChecked(false);
    Opt_PrintBesshiAndAll->setChecked(true);
    Chk_PageTsuban->setChecked(false);
    Chk_PageTsuban->setEnabled(false);
    Cmb_KaishaName->clear();
    Cmd_Print->setEnabled(false);
    tree_.clear();
    treeModel_->rebuild();
}

void Frm_Omrix_Print_Main::sbSetControls() {
    const print::PrintSource source = print::printSourceFromContext();
    if (source.db == nullptr || !fnSetPrintTypeCmb(*source.db)) return;
    fnSetUchiwakeCompanyCmb(*source.db);
    tree_.sbCreateTree(pending_ ? pending_->outline() : source.root, 0);
    treeModel_->rebuild();
    Tv_Kaiso->showBuiltTree();
}

bool Frm_Omrix_Print_Main::fnSetPrintTypeCmb(data::CCCDBS_DataBase& db) {
    std::vector<std::string> entries;
    if (!print::fnReadPrintTypeEntries(db, entries)) return false;
    for (const std::string& entry : entries) Cmb_Shutsuryokuyoshiki->addItem(qText(entry));
    if (!entries.empty()) Cmb_Shutsuryokuyoshiki->setCurrentIndex(0);
    return true;
}

void Frm_Omrix_Print_Main::fnSetUchiwakeCompanyCmb(data::CCCDBS_DataBase& db) {
    std::vector<std::string> names;
    if (!print::fnReadCompanyNames(db, names)) return;
    for (const std::string& name : names) Cmb_KaishaName->addItem(qText(name));
    const std::string saved = context::fnReadIniValue("KALVERON", "PRINTCOMAPNYNAME");
    Cmb_KaishaName->setEditText(qText(util::trimBlanks(saved)));
}

void Frm_Omrix_Print_Main::fnDispBukkenLabel() {
    const auto& context = appContext();
    const std::string line = std::string(util::trimBlanksLeft(context.BukkenNo)) + "-" +
                             std::string(util::trimBlanks(context.HanNo)) + " " +
                             std::string(util::trimBlanksRight(context.BukkenName));
    Lbl_Bukken->setFullText(qText(line));
}

// ---- enabling rules --------------------------------------------------------------

void Frm_Omrix_Print_Main::fnAllMusk(bool bMuskFlag) {
    QWidget* const controls[] = {Frm2D_Shutsuryokuyoshiki, Cmb_Shutsuryokuyoshiki, Frm2D_PrintJunjo,
                                 Opt_PrintJunjoAllToAll, Opt_PrintJunjoToDown};
    for (QWidget* control : controls) control->setEnabled(bMuskFlag);
    sbPrintOptionEnable(bMuskFlag);
}

void Frm_Omrix_Print_Main::sbPrintOptionEnable(bool enable) {
    QWidget* const controls[] = {Frm2D_PrintOption,   Chk_PrintOnlySuryo,  Chk_PrintChofukuShoryaku,
                                 Lbl_PageCount,       Txt_PageCount,       Lbl_Kara,
                                 Lbl_PageType,        Opt_PageTypeOnlyNum, Opt_PageTypePageName,
                                 Frm2D_Besshi,        Chk_BesshiPrint,     Opt_PrintBesshiAndAll,
                                 Opt_PrintOnlyBesshi, Chk_PageTsuban};
    for (QWidget* control : controls) control->setEnabled(enable);
    Chk_PageTsuban->setEnabled(Chk_BesshiPrint->isChecked() && ownEnabled(Chk_BesshiPrint));
}

void Frm_Omrix_Print_Main::fnCmd_PrintMuskCheck() {
    Cmd_Print->setEnabled(Chk_Uchiwake->isChecked() || Chk_Mitsumoriyoko->isChecked() ||
                          Chk_KojiGaiyo->isChecked() || Chk_Daikahyo->isChecked());
}

void Frm_Omrix_Print_Main::Chk_Uchiwake_Click() {
    const bool on = Chk_Uchiwake->isChecked();
    Frm2D_Shutsuryokuyoshiki->setEnabled(on);
    Cmb_Shutsuryokuyoshiki->setEnabled(on);
    Frm2D_PrintJunjo->setEnabled(on);
    Opt_PrintJunjoToDown->setEnabled(on);
    Opt_PrintJunjoAllToAll->setEnabled(
        on && (appContext().UchiwakeName.種別フラグ & kUchiwakeNameNoAllToAll) == 0);
    sbPrintOptionEnable(on);
    // Print follows this box alone here, whatever the other three show.
    Cmd_Print->setEnabled(on);
    Tv_Kaiso->setVisible(on);
    Tv_Dammy->setVisible(!on);
    if (!on || appContext().BesshiExists) return;
    QWidget* const sheets[] = {Frm2D_Besshi, Chk_BesshiPrint, Opt_PrintBesshiAndAll,
                               Opt_PrintOnlyBesshi, Chk_PageTsuban};
    for (QWidget* control : sheets) control->setEnabled(false);
}

void Frm_Omrix_Print_Main::Chk_BesshiPrint_Click() {
    Chk_PageTsuban->setEnabled(Chk_BesshiPrint->isChecked());
}

void Frm_Omrix_Print_Main::Opt_PrintBesshiAndAll_Click() {
    if (Opt_PrintBesshiAndAll->isChecked()) Chk_PageTsuban->setEnabled(true);
}

void Frm_Omrix_Print_Main::Opt_PrintOnlyBesshi_Click() {
    if (Opt_PrintOnlyBesshi->isChecked()) Chk_PageTsuban->setEnabled(false);
}

// ---- print run -------------------------------------------------------------------

void Frm_Omrix_Print_Main::watchPendingLoad() {
    if (!pending_) return;
    auto* watch = new QTimer(this);
    connect(watch, &QTimer::timeout, this, [this, watch] {
        // A closed window has nothing more to say about the load: it only ends with it.
        if (closed_) return watch->stop();
        // A form or a message box open over the window finishes first.
        if (running_ || QApplication::activeModalWidget() != nullptr) return;
        if (pending_ && !pending_->ended()) return;
        watch->stop();
        if (pending_) finishPendingLoad();
    });
    watch->start(kLoadWatchEvery);
}

bool Frm_Omrix_Print_Main::finishPendingLoad() {
    setBusy(true);
    if (running_) progress_->showCaption(kLoadingCaption);
    const bool loaded = app::finishBreakdownLoad(*pending_, running_ ? progress_.get() : nullptr);
    setBusy(false);
    pending_.reset();
    if (loaded) return true;
    // Start-up would have ended here, before the window and without the exit steps.
    startupStopped_ = true;
    closed_ = true;
    QTimer::singleShot(0, this, [this] { close(); });
    return false;
}

// A run holds the program's connection (the print-row write deletes on a thread of its
// own), so the forms, which read and write through it, wait for the run's end.
void Frm_Omrix_Print_Main::setRunning(bool running) {
    running_ = running;
    Cmd_KojiGaiyo->setEnabled(!running);
    Cmd_Mitsumoriyoko->setEnabled(!running);
    if (running) Cmd_Print->setEnabled(false);
}

void Frm_Omrix_Print_Main::Cmd_Print_Click() {
    // The write lets events run, so a second press can arrive while the first runs.
    if (running_) return;
    setRunning(true);
    // Nothing prints from half a breakdown: an early press waits for the whole.
    if (pending_ && !finishPendingLoad()) {
        setRunning(false);
        return;
    }
    progress_->showBusy(kPreparingCaption);
    print::fnRunPrint(*this, *reports_, tree_);
    progress_->hideAll();
    setRunning(false);
    fnCmd_PrintMuskCheck();
    if (closeWaiting_) close();
}

print::PrintOptionControls Frm_Omrix_Print_Main::optionControls() const {
    print::PrintOptionControls controls;
    controls.printJunjoAllToAll = Opt_PrintJunjoAllToAll->isChecked();
    controls.onlySuryo = Chk_PrintOnlySuryo->isChecked();
    controls.chofukuShoryaku = Chk_PrintChofukuShoryaku->isChecked();
    controls.pageCount = stdText(Txt_PageCount->text());
    controls.pageTypeOnlyNum = Opt_PageTypeOnlyNum->isChecked();
    controls.besshiPrint = Chk_BesshiPrint->isChecked();
    controls.printBesshiAndAll = Opt_PrintBesshiAndAll->isChecked();
    controls.pageTsuban = Chk_PageTsuban->isChecked();
    controls.companyText = stdText(Cmb_KaishaName->currentText());
    if (Cmb_Shutsuryokuyoshiki->currentIndex() >= 0) {
        controls.printTypeEntry = stdText(Cmb_Shutsuryokuyoshiki->currentText());
    }
    return controls;
}

void Frm_Omrix_Print_Main::closeViewers() {
    viewers_->closeViewers();
}

bool Frm_Omrix_Print_Main::collectChoices(print::PrintRunChoices& choices) {
    const bool readable = print::fnGetPrintOption(optionControls(), choices.options);
    choices.reread = Chk_ReRead->isChecked();
    choices.uchiwake = Chk_Uchiwake->isChecked();
    choices.youkou = Chk_Mitsumoriyoko->isChecked();
    choices.gaiyou = Chk_KojiGaiyo->isChecked();
    choices.daika = Chk_Daikahyo->isChecked();
    choices.companyText = stdText(Cmb_KaishaName->currentText());
    return readable;
}

void Frm_Omrix_Print_Main::focusLevelTree() {
    Tv_Kaiso->setFocus();
}

void Frm_Omrix_Print_Main::showPageNameWindow() {
    Frm_Omrix_Print_ChangePageName window(print::printSourceFromContext(), tree_, this);
    ArrowWhileAsking arrow;
    window.exec();
}

bool Frm_Omrix_Print_Main::openViewer(print::ViewerKind viewer, reports::Report& report) {
    // A long statement's page index takes a moment to build before its window shows.
    progress_->showBusy(std::string(reports::viewerNames(viewer).caption) + kOpeningCaption);
    const bool shown = viewers_->openViewer(viewer, report);
    progress_->hideAll();
    return shown;
}

void Frm_Omrix_Print_Main::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

// ---- exit ------------------------------------------------------------------------

void Frm_Omrix_Print_Main::closeEvent(QCloseEvent* event) {
    // A close during a print run's write waits for the run: the run still needs the
    // database the exit releases.
    if (running_) {
        closeWaiting_ = true;
        event->ignore();
        return;
    }
    if (!closed_) Form_QueryUnload();
    closed_ = true;
    event->accept();
}

void Frm_Omrix_Print_Main::Form_QueryUnload() {
    viewers_->closeViewers();
    handOff_ = app::runExitSteps(stdText(Cmb_KaishaName->currentText()), closeReason_);
}

}  // namespace omrix::print_window
