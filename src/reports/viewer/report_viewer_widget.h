#pragma once
// The preview of one report: the pages, a tool bar (first, previous, page box, next,
// last; zoom out, zoom in, fit width, fit page; find, print, save as PDF or Excel), a find bar
// and a status line with the page and, for the statement, its 頁番号 and 頁名称. It
// fills its viewer window as the engine's viewer control did.

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "reports/launch/background_save.h"
#include "reports/viewer/save_file_name.h"
#include "util/progress.h"

class QLabel;
class QProgressDialog;
class QLineEdit;
class QPrinter;
class QTimer;
class QToolBar;

namespace omrix::reports {

class Report;
class ReportOutlineWidget;
class ReportPageViewWidget;
class ReportSearch;

class ReportViewerWidget : public QWidget {
  public:
    explicit ReportViewerWidget(QWidget* parent = nullptr);
    ~ReportViewerWidget() override;

    // The report must stay loaded while it is shown.
    void setReport(const Report* report);
    // The project and version the default save names carry.
    void setProject(ProjectKey project) { project_ = std::move(project); }
    ReportPageViewWidget& pages() { return *pages_; }
    // The outline panel and its tool bar toggle (report_outline_widget.h).
    ReportOutlineWidget& outline() { return *outline_; }
    void setOutlineShown(bool shown);

    // Find: the text in the find bar through every page; hits come in as the pages are
    // looked through, the first one on or after the page in view is shown.
    void find(const QString& text);
    void findNext();
    void findPrevious();
    bool searching() const;
    int hitCount() const;

    // Ctrl+plus, Ctrl+minus and Ctrl+0 (the paper's real size).
    void zoomIn();
    void zoomOut();
    void zoomActualSize();

    // The print dialog (page range, copies, the printer's paper) and the print.
    void print();
    // Asks for a file (named after the document, the project and its version) and
    // writes the report to it as PDF, or as an Excel workbook.
    void saveAsPdf();
    void saveAsWorkbook();
    // The PDF or the workbook to `path`, written on a thread of its own (BackgroundSave)
    // while the window goes on painting and paging, with a progress window and its 中止:
    // written under a part name beside it and renamed into place when whole, so a file
    // already there stays untouched unless the save completes. A message box says why
    // it failed. False when it could not start (a save already running, or the report
    // not loadable, said in a message box).
    bool savePdfTo(const QString& path);
    bool saveWorkbookTo(const QString& path);
    // Lets the window's events run until the save ends; true when its file is in place.
    bool waitForSave();
    bool saving() const;
    // How long a print or save runs before its progress shows (tests show it at once).
    void setProgressDelay(int ms) { progressDelayMs_ = ms; }

  protected:
    // The find box: Enter next hit, Shift+Enter previous, Escape closes the bar.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildToolBar();
    void closeFindBar();
    // "n 件", or "i/n 件" once a hit is shown.
    QString searchStateText() const;
    QString hitCountText() const;
    void buildFindBar();
    void showFindBar();
    void searchSome();
    void showHit(int index);
    void showPageState();
    void jumpToTypedPage();
    // Prints with a progress dialog that can stop it; `what` names the job in messages.
    bool printWithProgress(QPrinter& printer, const QString& what);
    // Runs `job` under a progress dialog whose 中止 makes the progress say stop; a
    // failure that is no stop is shown. True when the job completed.
    bool runWithProgress(const QString& what,
                         const std::function<util::Status(util::Progress& progress)>& job);
    QString defaultSaveName(const char* extension) const;
    // Starts `job` in the background with its progress window; `what` names it.
    bool startSave(const QString& what, const QString& path, BackgroundSave::Job job);
    // Polled while a save runs: its progress, and its end.
    void followSave();
    void addShortcut(const QKeySequence& keys, void (ReportViewerWidget::*slot)());

    const Report* report_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLineEdit* pageBox_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QWidget* findBar_ = nullptr;
    QLineEdit* findBox_ = nullptr;
    QLabel* findStatus_ = nullptr;
    ReportPageViewWidget* pages_ = nullptr;
    ReportOutlineWidget* outline_ = nullptr;
    QAction* outlineAction_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* searchTimer_ = nullptr;
    std::unique_ptr<ReportSearch> search_;
    QString searchedFor_;
    int searchFrom_ = 1;
    int currentHit_ = -1;
    int progressDelayMs_;
    ProjectKey project_;
    std::unique_ptr<BackgroundSave> save_;
    QProgressDialog* saveProgress_ = nullptr;
    QTimer* saveTimer_ = nullptr;
    QString saveWhat_;
    bool saveOk_ = false;
    bool saveStopping_ = false;  // 中止 pressed, the thread not yet ended
};

// Every page as a PDF at `path`, painted on every core (Report::writePdf). A file
// stopped part-way is incomplete and left to the caller.
util::Status savePdf(const Report& report, const std::string& path,
                     util::Progress* progress = nullptr);

// Prints the pages the printer's range asks for (all when it sets none), each fitted to
// the printer's paper and painted as the preview and the PDF are.
util::Status printReport(QPrinter& printer, const Report& report,
                         util::Progress* progress = nullptr);

}  // namespace omrix::reports
