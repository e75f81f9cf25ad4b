#pragma once
// A report object: one per design, set up by the launch code through the members the
// engine's object model has (table log-on and location, record selection formula,
// formula fields), reading its own rows and painting its pages with QPainter, onto a
// preview, a printer or a PDF file. No exception leaves it: its operations return
// their failure, "report <design>: " and why.

#include <QPageLayout>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "reports/engine/pdf_update.h"
#include "reports/engine/report_design.h"
#include "reports/engine/report_document.h"
#include "reports/engine/report_fonts.h"
#include "reports/engine/report_object.h"
#include "util/failure.h"
#include "util/progress.h"

class QIODevice;
class QPainter;
class QPagedPaintDevice;
class QPdfWriter;
class QRectF;

namespace omrix::reports {

class PdfPainting;

// What painting found to warn of: texts with a character no font draws, texts cut
// with the first page each was cut on.
struct PaintWarnings {
    std::set<QString> undrawable;
    std::map<QString, int> cut;

    // Adds `later`'s, keeping the first page of a text cut on both.
    void merge(PaintWarnings& later) {
        undrawable.merge(later.undrawable);
        cut.merge(later.cut);
    }
};

class Report {
  public:
    explicit Report(ReportDesign design);
    // Null for a name that is no design of this program.
    static std::unique_ptr<Report> create(std::string_view designName);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    const DesignInfo& design() const { return design_; }
    // A report of the same design and settings, loaded afresh over a connection of its
    // own, for a save on another thread while this one stays with its window.
    util::Result<std::unique_ptr<Report>> loadedCopy() const;

    ReportDatabase& Database() { return database_; }
    ReportFormulaFields& FormulaFields() { return formulaFields_; }
    // "{table.column} = number" on the report's table 1.
    std::string RecordSelectionFormula;

    // Reads the rows afresh through a connection of its own (closed again before it
    // returns) and lays out the pages. Needs a QGuiApplication.
    util::Status load();
    bool isLoaded() const { return document_ != nullptr; }
    // 0 until loaded; every loaded report has at least one page.
    int pageCount() const;

    // Paper and orientation, no margins: the layouts keep their own.
    QPageLayout pageLayout() const;
    // Paints page 1 … pageCount() over the whole paint device, or into `target` (in
    // the painter's coordinates) scaled to fit its width and height. Other page
    // numbers, or a report not loaded, paint nothing. Any page is painted without the
    // pages before it. When the page's rows cannot be read, its form is painted all the
    // same and the failure says why. A text holding a character no installed font
    // draws is named on standard error, once per loaded document.
    util::Status paintPage(QPainter& painter, int page) const;
    util::Status paintPage(QPainter& painter, int page, const QRectF& target) const;

    // Why one painting of pages stopped, and at which page.
    struct PagesPainted {
        enum class Stop { Done, Begin, NewPage, Read, Cancelled, End };
        Stop stop = Stop::Done;
        int page = 0;
        std::string reason;  // what failed, where more is known than the stop says
        bool ok() const { return stop == Stop::Done; }
    };
    // Where a page goes on the device; none: the whole device.
    using PageTarget = std::function<QRectF(QPainter& painter)>;
    // The one page loop of every output (PDF, printer, queue): `pages` in order, or every
    // page when empty, onto a device that already has the paper. `progress` is told of
    // each page painted (pages done of their total) and can stop the painting.
    PagesPainted paintPages(QPagedPaintDevice& device, std::vector<int> pages,
                            util::Progress* progress = nullptr,
                            const PageTarget& target = {}) const;

    // Every page as one PDF onto `out` (paper, title and creator set), painted on
    // `threads` threads at once; 0: one for each core the process may run on. Each
    // thread paints a run of pages into a PDF of its own in the temporary folder, and
    // the runs are joined into `out` in page order as they finish (PdfJoin); the pages
    // are read on the calling thread, which owns the connection. One thread paints
    // straight into `out`, as paintPages() does. `progress` runs on the calling thread
    // with the count of pages painted; false stops every thread.
    PagesPainted writePdf(QIODevice& out, int threads, util::Progress* progress = nullptr) const;

    // The texts page k shows, each with its box in millimetres of the paper: what a
    // search looks through. Empty for a page outside 1 … pageCount(); a failure when
    // the page's rows cannot be read.
    util::Result<std::vector<PageText>> pageTexts(int page) const;
    // 頁番号, 表示頁番号 and 頁名称 of a statement page.
    PageLabel pageLabel(int page) const;
    // Title, company and 工事名称 of the loaded document; the design's title alone before.
    DocumentInfo documentInfo() const;
    // The bookmarks of the loaded document (the statement's sub-statements, read from
    // its rows without painting; the unit-price tables' tables); empty for the sheets.
    util::Result<std::vector<OutlineEntry>> readOutline() const;
    // The document information and that outline added to a PDF of every page of the
    // document, written at `pdfPath`.
    util::Status appendPdfDetails(const std::string& pdfPath) const;

    // Every page onto a printer or PDF writer, loading first when the report has not
    // been loaded with its present settings.
    util::Status print(QPagedPaintDevice& device);
    // As writePdf() on `threads` threads, with the document information and outline.
    util::Status exportPdf(const std::string& path, int threads = 0);
    // The pages as an Excel workbook, loading first as print() does.
    util::Status exportWorkbook(const std::string& path);
    // The loaded pages as a workbook, as a viewer shows them.
    util::Status writeWorkbook(const std::string& path) const;

    // The text formula field `field` shows (its literal unquoted); "" outside 1 … Count.
    std::string formulaText(int field) const;

  private:
    friend class PdfPainting;
    std::string settingsKey() const;
    // Resolution, creator, title and paper; false when the writer refuses the paper.
    bool setUpPdf(QPdfWriter& writer) const;
    // Paints page `page` into `target`, from `read` when given, adding to `warnings`;
    // with `cache` (one per thread) the fonts and layouts of the pages before serve it.
    // Touches no state of the report.
    util::Status paintOnto(QPainter& painter, int page, const QRectF& target,
                           const ReportDocument::PagesRead* read, PaintWarnings& warnings,
                           PagePainter::Cache* cache = nullptr) const;
    util::Status paintPage(QPainter& painter, int page, const QRectF& target,
                           PagePainter::Cache* cache) const;
    // Names each text of `warnings` on standard error, once per loaded document.
    void warn(const PaintWarnings& warnings) const;
    // Why a painting stopped, in words; `cannotBegin` when the output would not open.
    std::string paintFailure(const PagesPainted& painted, std::string_view cannotBegin) const;
    // "report <design>" failed for `reason`; fail() also drops what was loaded.
    util::Failure failure(std::string reason) const;
    util::Failure fail(std::string reason);

    const DesignInfo& design_;
    ReportDatabase database_;
    ReportFormulaFields formulaFields_;
    ReportFonts fonts_;
    // Open while a document that reads its pages on demand is loaded; declared
    // before the document, which uses it, so that it is closed after it.
    std::unique_ptr<data::CCCDBS_DataBase> connection_;
    std::unique_ptr<ReportDocument> document_;
    std::string loadedKey_;
    // Texts of the loaded document already named on standard error for a character no
    // font draws: each is named once per document, however often it is painted.
    mutable std::set<QString> undrawable_;
    mutable std::set<QString> cut_;  // texts said to print cut
};

}  // namespace omrix::reports
