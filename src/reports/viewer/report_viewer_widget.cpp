#include "reports/viewer/report_viewer_widget.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QShortcut>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "reports/launch/report.h"
#include "reports/launch/report_printer.h"
#include "reports/launch/report_search.h"
#include "reports/viewer/report_outline_widget.h"
#include "reports/viewer/report_page_view_widget.h"
#include "reports/viewer/save_file_name.h"
#include "reports/workbooks/workbook_progress.h"
#include "util/part_file.h"
#include "util/qt_text.h"

namespace omrix::reports {
namespace {

// The pages of a print or save in a progress dialog; its 中止 stops the job.
class DialogProgress final : public util::Progress {
  public:
    explicit DialogProgress(QProgressDialog& dialog) : dialog_(dialog) {}
    bool advance(int64_t done, int64_t total) override {
        dialog_.setMaximum(static_cast<int>(total));
        dialog_.setValue(static_cast<int>(done));
        return !dialog_.wasCanceled();
    }

  private:
    QProgressDialog& dialog_;
};

// Pages looked through per turn of the event loop while finding.
constexpr int kSearchPagesPerTurn = 40;
constexpr int kPageBoxWidth = 110;
// A print or save shorter than this shows no progress.
constexpr int kProgressDelayMs = 800;

using util::qText;

// The page box's "X / Y": the number before the slash, or the whole text.
int typedPage(const QString& text) {
    bool ok = false;
    int page = text.section('/', 0, 0).trimmed().toInt(&ok);
    return ok ? page : 0;
}

// The rectangle of `page` size fitted into `room` and centred there.
QRectF fitted(const QSizeF& page, const QRectF& room) {
    QSizeF size = page.scaled(room.size(), Qt::KeepAspectRatio);
    return {room.left() + (room.width() - size.width()) / 2,
            room.top() + (room.height() - size.height()) / 2, size.width(), size.height()};
}

}  // namespace

ReportViewerWidget::ReportViewerWidget(QWidget* parent)
    : QWidget(parent), progressDelayMs_(kProgressDelayMs) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    pages_ = new ReportPageViewWidget(this);
    pages_->setObjectName("pageView");
    buildToolBar();
    buildFindBar();
    status_ = new QLabel(this);
    status_->setObjectName("statusLine");
    status_->setContentsMargins(6, 2, 6, 2);
    column->addWidget(toolBar_);
    column->addWidget(findBar_);
    // The outline beside the pages.
    auto* split = new QSplitter(Qt::Horizontal, this);
    outline_ = new ReportOutlineWidget(split);
    outline_->onPageChosen = [this](int page) { pages_->goToPage(page); };
    split->addWidget(outline_);
    split->addWidget(pages_);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 800});
    column->addWidget(split, 1);
    column->addWidget(status_);

    searchTimer_ = new QTimer(this);
    searchTimer_->setInterval(0);
    connect(searchTimer_, &QTimer::timeout, this, [this] { searchSome(); });
    pages_->onPageChanged = [this](int page) {
        showPageState();
        outline_->showPage(page);
    };
    pages_->onZoomChanged = [this] { showPageState(); };
    addShortcut(QKeySequence::Find, &ReportViewerWidget::showFindBar);
    addShortcut(QKeySequence::Print, &ReportViewerWidget::print);
    addShortcut(QKeySequence::Save, &ReportViewerWidget::saveAsPdf);
    addShortcut(QKeySequence::FindNext, &ReportViewerWidget::findNext);
    addShortcut(QKeySequence::FindPrevious, &ReportViewerWidget::findPrevious);
    // As the PDF readers do: Ctrl with plus (or =, unshifted), minus and 0 for 100 %.
    for (const char* keys : {"Ctrl++", "Ctrl+="})
        addShortcut(QKeySequence(keys), &ReportViewerWidget::zoomIn);
    addShortcut(QKeySequence("Ctrl+-"), &ReportViewerWidget::zoomOut);
    addShortcut(QKeySequence("Ctrl+0"), &ReportViewerWidget::zoomActualSize);
    setFocusProxy(pages_);
}

ReportViewerWidget::~ReportViewerWidget() {
    // The save's thread writes from a copy of the report, never from this window.
    if (save_) save_->stop();
}

void ReportViewerWidget::zoomIn() {
    pages_->zoomIn();
}

void ReportViewerWidget::zoomOut() {
    pages_->zoomOut();
}

void ReportViewerWidget::zoomActualSize() {
    pages_->setZoom(1.0);
}

void ReportViewerWidget::addShortcut(const QKeySequence& keys, void (ReportViewerWidget::*slot)()) {
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, slot] { (this->*slot)(); });
}

void ReportViewerWidget::buildToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName("toolBar");
    auto add = [this](const char* name, const QString& text, const QString& tip, auto action) {
        QAction* a = toolBar_->addAction(text, this, action);
        a->setObjectName(name);
        a->setToolTip(tip);
        return a;
    };
    add("firstPage", "|◀", "先頭頁 (Home)", [this] { pages_->goToPage(1); });
    add("previousPage", "◀", "前頁 (PageUp)",
        [this] { pages_->goToPage(pages_->currentPage() - 1); });
    pageBox_ = new QLineEdit(toolBar_);
    pageBox_->setObjectName("pageBox");
    pageBox_->setFixedWidth(kPageBoxWidth);
    pageBox_->setAlignment(Qt::AlignCenter);
    connect(pageBox_, &QLineEdit::returnPressed, this, [this] { jumpToTypedPage(); });
    toolBar_->addWidget(pageBox_);
    add("nextPage", "▶", "次頁 (PageDown)",
        [this] { pages_->goToPage(pages_->currentPage() + 1); });
    add("lastPage", "▶|", "最終頁 (End)", [this] { pages_->goToPage(pages_->pageCount()); });
    toolBar_->addSeparator();
    add("zoomOut", "－", "縮小 (Ctrl+-)", [this] { zoomOut(); });
    zoomLabel_ = new QLabel(toolBar_);
    zoomLabel_->setObjectName("zoomLabel");
    zoomLabel_->setMinimumWidth(48);
    zoomLabel_->setAlignment(Qt::AlignCenter);
    toolBar_->addWidget(zoomLabel_);
    add("zoomIn", "＋", "拡大 (Ctrl++)", [this] { zoomIn(); });
    add("fitWidth", "幅", "幅に合わせる", [this] { pages_->setZoomMode(ZoomMode::FitWidth); });
    add("fitPage", "頁", "頁全体", [this] { pages_->setZoomMode(ZoomMode::FitPage); });
    toolBar_->addSeparator();
    outlineAction_ = add("outlineToggle", "目次", "目次の表示／非表示",
                         [this] { setOutlineShown(outlineAction_->isChecked()); });
    outlineAction_->setCheckable(true);
    add("find", "検索", "検索 (Ctrl+F)", [this] { showFindBar(); });
    add("print", "印刷", "印刷 (Ctrl+P)", [this] { print(); });
    add("savePdf", "PDF保存", "PDF として保存 (Ctrl+S)", [this] { saveAsPdf(); });
    add("saveXlsx", "Excel に保存", "Excel ブックとして保存", [this] { saveAsWorkbook(); });
    // Tab reaches every control of the bar, as it does the page box.
    for (QAction* action : toolBar_->actions()) {
        QWidget* control = toolBar_->widgetForAction(action);
        if (control != nullptr && !action->isSeparator() && control != zoomLabel_)
            control->setFocusPolicy(Qt::TabFocus);
    }
}

void ReportViewerWidget::buildFindBar() {
    findBar_ = new QWidget(this);
    findBar_->setObjectName("findBar");
    auto* row = new QHBoxLayout(findBar_);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(new QLabel("検索:", findBar_));
    findBox_ = new QLineEdit(findBar_);
    findBox_->setObjectName("findBox");
    row->addWidget(findBox_, 1);
    auto button = [this, row](const char* name, const QString& text, auto action) {
        auto* b = new QToolButton(findBar_);
        b->setObjectName(name);
        b->setText(text);
        connect(b, &QToolButton::clicked, this, action);
        row->addWidget(b);
    };
    button("findPrevious", "前へ", [this] { findPrevious(); });
    button("findNext", "次へ", [this] { findNext(); });
    findStatus_ = new QLabel(findBar_);
    findStatus_->setObjectName("findStatus");
    row->addWidget(findStatus_);
    button("closeFind", "×", [this] { closeFindBar(); });
    findBox_->installEventFilter(this);
    findBar_->hide();
}

bool ReportViewerWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != findBox_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool shift = (key->modifiers() & Qt::ShiftModifier) != 0;
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (shift) {
                findPrevious();
            } else if (search_ &&
                       ReportSearch::folded(findBox_->text().trimmed()) == searchedFor_) {
                findNext();
            } else {
                find(findBox_->text());
            }
            return true;
        case Qt::Key_Escape:
            closeFindBar();
            return true;
        default:
            return false;
    }
}

void ReportViewerWidget::closeFindBar() {
    findBar_->hide();
    pages_->setHits({}, -1);
    pages_->setFocus();
}

void ReportViewerWidget::setReport(const Report* report) {
    searchTimer_->stop();
    search_.reset();
    report_ = report;
    pages_->setReport(report);
    std::vector<OutlineEntry> entries;
    if (report != nullptr) {
        // A failed read leaves the panel empty: the pages show all the same.
        if (auto read = report->readOutline()) entries = std::move(*read);
    }
    outline_->setEntries(std::move(entries));
    outlineAction_->setEnabled(!outline_->isEmpty());
    outlineAction_->setChecked(!outline_->isEmpty() && ReportOutlineWidget::rememberedShown());
    outline_->setVisible(outlineAction_->isChecked());
    outline_->showPage(pages_->currentPage());
    showPageState();
}

void ReportViewerWidget::setOutlineShown(bool shown) {
    outlineAction_->setChecked(shown);
    outline_->setVisible(shown && !outline_->isEmpty());
    ReportOutlineWidget::rememberShown(shown);
}

void ReportViewerWidget::showPageState() {
    const int page = pages_->currentPage();
    const int count = pages_->pageCount();
    pageBox_->setText(QString("%1 / %2").arg(page).arg(count));
    zoomLabel_->setText(QString("%1%").arg(std::lround(pages_->layout().scale() * 100)));
    QString text = QString("頁 %1 / %2").arg(page).arg(count);
    if (report_ != nullptr) {
        PageLabel label = report_->pageLabel(page);
        if (label.known) {
            text += QString("　頁番号 %1").arg(label.頁番号);
            if (!label.頁名称.empty()) text += "　頁名称 " + qText(label.頁名称);
        }
    }
    status_->setText(text);
}

void ReportViewerWidget::jumpToTypedPage() {
    int page = typedPage(pageBox_->text());
    if (page >= 1) pages_->goToPage(page);
    showPageState();
    pages_->setFocus();
}

void ReportViewerWidget::showFindBar() {
    findBar_->show();
    findBox_->setFocus();
    findBox_->selectAll();
}

void ReportViewerWidget::find(const QString& text) {
    if (report_ == nullptr) return;
    if (findBox_->text() != text) findBox_->setText(text);
    findBar_->show();
    search_ = std::make_unique<ReportSearch>(*report_, text);
    searchedFor_ = ReportSearch::folded(text.trimmed());
    searchFrom_ = pages_->currentPage();
    currentHit_ = -1;
    pages_->setHits({}, -1);
    searchSome();
    if (!search_->finished()) searchTimer_->start();
}

void ReportViewerWidget::searchSome() {
    if (!search_) return;
    const std::size_t before = search_->hits().size();
    search_->searchMore(kSearchPagesPerTurn);
    if (search_->finished()) searchTimer_->stop();
    // Shows the first hit from the page the find began on as soon as there is one (or,
    // once every page is looked through, the first of all); later hits only join the marks.
    const std::vector<SearchHit>& hits = search_->hits();
    const bool onward = !hits.empty() && hits.back().page >= searchFrom_;
    if (currentHit_ < 0 && (onward || (search_->finished() && !hits.empty()))) {
        showHit(search_->nextHit(-1, searchFrom_));
    } else if (search_->hits().size() != before || search_->finished()) {
        pages_->setHits(search_->hits(), -1);
        pages_->setHits(search_->hits(), currentHit_);
    }
    findStatus_->setText(searchStateText());
}

// Pages that could not be read are named: a search that skipped them found nothing
// there, which is not "not found".
QString ReportViewerWidget::searchStateText() const {
    const int unread = search_->pagesUnread();
    const QString unreadText = QString("%1 頁を読み込めませんでした").arg(unread);
    if (search_->finished() && search_->hits().empty())
        return unread > 0 ? unreadText : QString("見つかりません");
    QString state = hitCountText();
    if (!search_->finished())
        state +=
            QString("（検索中 %1 / %2 頁）").arg(search_->pagesSearched()).arg(pages_->pageCount());
    if (unread > 0) state += "（" + unreadText + "）";
    return state;
}

QString ReportViewerWidget::hitCountText() const {
    const auto count = static_cast<int>(search_->hits().size());
    if (currentHit_ < 0) return QString("%1 件").arg(count);
    return QString("%1/%2 件").arg(currentHit_ + 1).arg(count);
}

void ReportViewerWidget::showHit(int index) {
    if (!search_ || index < 0) return;
    currentHit_ = index;
    pages_->setHits(search_->hits(), index);
    if (search_->finished()) findStatus_->setText(searchStateText());
    showPageState();
}

void ReportViewerWidget::findNext() {
    if (!search_) return find(findBox_->text());
    showHit(search_->nextHit(currentHit_, pages_->currentPage()));
}

void ReportViewerWidget::findPrevious() {
    if (!search_) return find(findBox_->text());
    showHit(search_->previousHit(currentHit_, pages_->currentPage()));
}

bool ReportViewerWidget::searching() const {
    return search_ && !search_->finished();
}

int ReportViewerWidget::hitCount() const {
    return search_ ? static_cast<int>(search_->hits().size()) : 0;
}

void ReportViewerWidget::print() {
    if (report_ == nullptr) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(report_->pageLayout());
    printer.setFromTo(1, pages_->pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    dialog.setMinMax(1, pages_->pageCount());
    if (dialog.exec() != QDialog::Accepted) return;
    // Qt's dialog puts the queue's default paper back as it closes: the print type's
    // paper goes with the job, so that the printer does not rescale the pages.
    printer.setPageLayout(report_->pageLayout());
    if (printer.printRange() == QPrinter::CurrentPage)
        printer.setFromTo(pages_->currentPage(), pages_->currentPage());
    printWithProgress(printer, "印刷");
}

bool ReportViewerWidget::runWithProgress(const QString& what,
                                         const std::function<util::Status(util::Progress&)>& job) {
    QProgressDialog dialog(what + "中…", "中止", 0, pages_->pageCount(), this);
    dialog.setWindowTitle(what + "中…");
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(progressDelayMs_);
    DialogProgress progress(dialog);
    const util::Status done = job(progress);
    const bool stopped = dialog.wasCanceled();
    dialog.reset();
    if (!done && !stopped) QMessageBox::warning(this, what, qText(done.failure().text()));
    return done.ok();
}

bool ReportViewerWidget::printWithProgress(QPrinter& printer, const QString& what) {
    return runWithProgress(
        what, [&](util::Progress& progress) { return printReport(printer, *report_, &progress); });
}

QString ReportViewerWidget::defaultSaveName(const char* extension) const {
    return qText(
        saveFileName(report_->design().title, project_.bukkenNo, project_.hanNo, extension));
}

void ReportViewerWidget::saveAsPdf() {
    if (report_ == nullptr) return;
    QString path =
        QFileDialog::getSaveFileName(this, "PDF として保存", defaultSaveName("pdf"), "PDF (*.pdf)");
    if (!path.isEmpty()) savePdfTo(path);
}

bool ReportViewerWidget::savePdfTo(const QString& path) {
    return startSave("PDF として保存", path,
                     [](Report& report, const std::string& to, util::Progress& progress) {
                         util::Status saved = savePdf(report, to, &progress);
                         return saved ? report.appendPdfDetails(to) : saved;
                     });
}

void ReportViewerWidget::saveAsWorkbook() {
    if (report_ == nullptr) return;
    QString path = QFileDialog::getSaveFileName(this, "Excel に保存", defaultSaveName("xlsx"),
                                                "Excel ブック (*.xlsx)");
    if (!path.isEmpty()) saveWorkbookTo(path);
}

bool ReportViewerWidget::saveWorkbookTo(const QString& path) {
    return startSave(
        "Excel に保存", path,
        [](Report& report, const std::string& to, util::Progress& progress) -> util::Status {
            try {
                WorkbookProgressScope scope(&progress);
                return report.writeWorkbook(to);
            } catch (const WorkbookStopped&) {
                return util::Failure("中止しました。");
            }
        });
}

bool ReportViewerWidget::saving() const {
    return save_ && save_->state().running;
}

bool ReportViewerWidget::startSave(const QString& what, const QString& path,
                                   BackgroundSave::Job job) {
    if (report_ == nullptr) return false;
    if (saving()) {
        QMessageBox::information(this, what, "保存中です。終わるまでお待ちください。");
        return false;
    }
    if (!save_) save_ = std::make_unique<BackgroundSave>();
    if (util::Status started = save_->start(*report_, path.toStdString(), std::move(job));
        !started) {
        QMessageBox::warning(this, what, qText(started.failure().text()));
        return false;
    }
    saveWhat_ = what;
    saveOk_ = false;
    saveStopping_ = false;
    delete saveProgress_;
    // Not modal: the window pages and paints while the file is written.
    saveProgress_ = new QProgressDialog(what + "中…", "中止", 0, save_->state().total, this);
    saveProgress_->setWindowTitle(what + "中…");
    saveProgress_->setWindowModality(Qt::NonModal);
    saveProgress_->setAutoReset(false);
    saveProgress_->setAutoClose(false);
    saveProgress_->setMinimumDuration(progressDelayMs_);
    if (saveTimer_ == nullptr) {
        saveTimer_ = new QTimer(this);
        saveTimer_->setInterval(50);
        connect(saveTimer_, &QTimer::timeout, this, &ReportViewerWidget::followSave);
    }
    saveTimer_->start();
    return true;
}

void ReportViewerWidget::followSave() {
    // 中止, pressed or called, leaves the dialog cancelled (and hidden) until it is reset.
    if (saveProgress_->wasCanceled() && !saveStopping_) {
        save_->stop();
        saveStopping_ = true;
        // Shown until the thread has let go of the file, so that what stands there when
        // the window goes is final.
        saveProgress_->setLabelText("中止しています…");
        saveProgress_->setCancelButton(nullptr);
        saveProgress_->show();
    }
    const BackgroundSave::State state = save_->state();
    if (state.running) {
        if (state.done > 0 && !saveProgress_->wasCanceled()) {
            saveProgress_->setMaximum(state.total);
            saveProgress_->setValue(state.done);
        }
        return;
    }
    saveTimer_->stop();
    save_->wait();
    saveProgress_->hide();
    saveProgress_->deleteLater();
    saveProgress_ = nullptr;
    saveOk_ = state.ok;
    if (!state.ok && !state.stopped) QMessageBox::warning(this, saveWhat_, qText(state.error));
}

bool ReportViewerWidget::waitForSave() {
    while (saving() || (saveTimer_ != nullptr && saveTimer_->isActive()))
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return saveOk_;
}

util::Status savePdf(const Report& report, const std::string& path, util::Progress* progress) {
    const std::string unwritten = "ファイルを書き込めません: " + path;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return util::Failure(unwritten);
    using Stop = Report::PagesPainted::Stop;
    // Painted on every core; the file is whole only when every page is in it.
    const Report::PagesPainted painted = report.writePdf(file, 0, progress);
    file.close();
    switch (painted.stop) {
        case Stop::Done:
            if (file.error() == QFileDevice::NoError) return {};
            break;
        case Stop::Read:
            return util::Failure(painted.reason);
        case Stop::Cancelled:
            return util::Failure("中止しました。");
        case Stop::Begin:
        case Stop::NewPage:
        case Stop::End:
            break;
    }
    if (painted.reason.empty()) return util::Failure(unwritten);
    return util::Failure(unwritten + " (" + painted.reason + ")");
}

util::Status printReport(QPrinter& printer, const Report& report, util::Progress* progress) {
    // The dialog's list ("1,3,5-7") or from–to; none: every page.
    const std::vector<int> pages = pagesInRanges(printer.pageRanges(), report.pageCount());
    if (pages.empty()) return util::Failure("印刷する頁がありません。");
    const Paper& paper = report.design().paper;
    // The printable area, in the painter's coordinates.
    auto target = [&](QPainter&) {
        QRectF room = printer.pageRect(QPrinter::DevicePixel);
        room.moveTo(0, 0);
        return fitted({paper.widthMm, paper.heightMm}, room);
    };
    using Stop = Report::PagesPainted::Stop;
    const Report::PagesPainted painted = report.paintPages(printer, pages, progress, target);
    switch (painted.stop) {
        case Stop::Done:
            return {};
        case Stop::Begin:
            return util::Failure("プリンタを開けません。");
        case Stop::NewPage:
            return util::Failure("プリンタが頁を受け付けません。");
        case Stop::Read:
            return util::Failure(painted.reason);
        case Stop::Cancelled:
            return util::Failure("中止しました。");
        case Stop::End:
            break;
    }
    return util::Failure("");  // the printer said no more
}

}  // namespace omrix::reports
