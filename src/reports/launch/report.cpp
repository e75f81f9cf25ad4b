#include "reports/launch/report.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <cstdio>

#include "data/drivers/sql_text.h"
#include "reports/documents/statement_document.h"
#include "reports/documents/statement_outline.h"
#include "reports/engine/formula_text.h"
#include "reports/engine/gui_application.h"
#include "reports/engine/report_connection.h"
#include "reports/engine/report_document.h"
#include "util/qt_text.h"

namespace omrix::reports {
namespace {

QPageSize pageSizeOf(const Paper& paper) {
    return QPageSize(paper.size == PaperSize::JisB5 ? QPageSize::JisB5 : QPageSize::A4);
}

}  // namespace

Report::Report(ReportDesign design)
    : design_(designInfo(design)),
      database_(designInfo(design).tables.size()),
      formulaFields_("formula field",
                     static_cast<std::size_t>(designInfo(design).formulaFieldCount)) {}

std::unique_ptr<Report> Report::create(std::string_view designName) {
    const DesignInfo* info = findDesign(designName);
    if (info == nullptr) return nullptr;
    return std::make_unique<Report>(info->design);
}

Report::~Report() = default;

util::Result<std::unique_ptr<Report>> Report::loadedCopy() const {
    auto copy = std::make_unique<Report>(design_.design);
    copy->database_ = database_;
    copy->formulaFields_ = formulaFields_;
    copy->RecordSelectionFormula = RecordSelectionFormula;
    if (util::Status loaded = copy->load(); !loaded) return loaded.failure();
    return copy;
}

util::Failure Report::failure(std::string reason) const {
    return util::Failure("report " + std::string(design_.name), std::move(reason));
}

util::Failure Report::fail(std::string reason) {
    document_.reset();
    connection_.reset();
    loadedKey_.clear();
    return failure(std::move(reason));
}

std::string Report::formulaText(int field) const {
    if (field < 1 || field > formulaFields_.Count()) return {};
    return unquoteFormulaText(formulaFields_.Item(field).text);
}

std::string Report::settingsKey() const {
    // Everything a load depends on, so that print() can tell a stale layout.
    std::string key = RecordSelectionFormula;
    const ReportTables& tables = database_.Tables();
    for (int i = 1; i <= tables.Count(); ++i) {
        const ReportTable& t = tables.Item(i);
        const LogOnInfo& l = t.logOnInfo();
        key += '\x1f' + t.Location + '\x1e' + l.server + '\x1e' + l.user + '\x1e' + l.password +
               '\x1e' + l.database;
    }
    for (int i = 1; i <= formulaFields_.Count(); ++i) key += '\x1f' + formulaFields_.Item(i).text;
    return key;
}

util::Status Report::load() {
    std::string misuse = database_.Tables().misuse();
    if (misuse.empty()) misuse = formulaFields_.misuse();
    if (!misuse.empty()) {
        database_.Tables().clearMisuse();
        formulaFields_.clearMisuse();
        return fail(misuse);
    }
    if (!hasGuiApplication()) return fail("painting needs a QGuiApplication");
    util::Result<ReportFonts> fonts = loadReportFonts();
    if (!fonts) return fail(fonts.failure().text());
    fonts_ = std::move(*fonts);

    util::Result<SelectionFormula> parsed = parseSelectionFormula(RecordSelectionFormula);
    if (!parsed) return fail(parsed.failure().text());
    const SelectionFormula& formula = *parsed;
    std::vector<std::string> locations;
    const ReportTables& tables = database_.Tables();
    for (int i = 1; i <= tables.Count(); ++i) {
        std::string location = tables.Item(i).Location;
        if (location.empty())
            location = std::string(design_.tables[static_cast<std::size_t>(i - 1)]);
        if (!isPlainName(location))
            return fail("the location \"" + location + "\" of table " + std::to_string(i) +
                        " is not a table name");
        locations.push_back(std::move(location));
    }
    if (data::columnNameKey(formula.table) != data::columnNameKey(locations.front()))
        return fail("the selection formula \"" + RecordSelectionFormula + "\" names table " +
                    formula.table + ", but the report reads " + locations.front());

    auto connection = openReportConnection(tables.Item(1).logOnInfo());
    if (!connection) return fail(connection.failure().text());
    std::unique_ptr<data::CCCDBS_DataBase> db = std::move(*connection);
    std::vector<std::string> texts;
    for (int i = 1; i <= formulaFields_.Count(); ++i) texts.push_back(formulaText(i));
    ReportSource source{*db, design_, formula, std::move(locations), std::move(texts)};

    LoadedDocument loaded = util::Failure("no document of this kind");
    switch (design_.kind) {
        case DocumentKind::Statement:
            loaded = loadStatementDocument(source);
            break;
        case DocumentKind::UnitPriceTables:
            loaded = loadDaikaDocument(source);
            break;
        case DocumentKind::Overview:
        case DocumentKind::Summary:
            loaded = loadSheetDocument(source);
            break;
    }
    if (!loaded) return fail(loaded.failure().text());
    std::unique_ptr<ReportDocument> document = std::move(*loaded);
    if (!document->readsOnDemand()) db->fnClose();
    document_.reset();
    undrawable_.clear();
    cut_.clear();
    connection_ = std::move(db);
    document_ = std::move(document);
    loadedKey_ = settingsKey();
    return {};
}

int Report::pageCount() const {
    return document_ ? document_->pageCount() : 0;
}

QPageLayout Report::pageLayout() const {
    return QPageLayout(pageSizeOf(design_.paper),
                       design_.paper.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

util::Status Report::paintPage(QPainter& painter, int page) const {
    QPaintDevice* device = painter.device();
    if (device == nullptr) return util::Failure("the painter has no device");
    return paintPage(painter, page, QRectF(0, 0, device->width(), device->height()));
}

util::Status Report::paintPage(QPainter& painter, int page, const QRectF& target) const {
    return paintPage(painter, page, target, nullptr);
}

util::Status Report::paintPage(QPainter& painter, int page, const QRectF& target,
                               PagePainter::Cache* cache) const {
    if (!document_ || page < 1 || page > document_->pageCount())
        return util::Failure("no page " + std::to_string(page) + " to paint");
    PaintWarnings warnings;
    util::Status painted = paintOnto(painter, page, target, nullptr, warnings, cache);
    warn(warnings);
    return painted;
}

util::Status Report::paintOnto(QPainter& painter, int page, const QRectF& target,
                               const ReportDocument::PagesRead* read, PaintWarnings& warnings,
                               PagePainter::Cache* cache) const {
    const Paper& paper = design_.paper;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.translate(target.topLeft());
    painter.scale(target.width() / (paper.widthMm * kUnitsPerMm),
                  target.height() / (paper.heightMm * kUnitsPerMm));
    PagePainter pagePainter(painter, fonts_, cache);
    std::set<QString> cut;
    pagePainter.collectUndrawable(warnings.undrawable);
    pagePainter.collectCut(cut);
    util::Status painted;
    if (read != nullptr)
        document_->paintPageRead(pagePainter, page, *read);
    else
        painted = document_->paintPage(pagePainter, page);
    for (const QString& text : cut) warnings.cut.emplace(text, page);
    painter.restore();
    return painted;
}

void Report::warn(const PaintWarnings& warnings) const {
    for (const QString& text : warnings.undrawable) {
        if (!undrawable_.insert(text).second) continue;
        std::fprintf(stderr,
                     "warning: %s: no installed font has every character of \"%s\"; "
                     "each it lacks prints as a box\n",
                     std::string(design_.title).c_str(), text.toUtf8().constData());
    }
    // A text its cell and the free cells beside it cannot hold at 6 pt narrowed to
    // 70 % is cut: said once a document, as the boxes are.
    for (const auto& [text, page] : warnings.cut) {
        if (!cut_.insert(text).second) continue;
        std::fprintf(stderr,
                     "warning: %s: \"%s\" is too long for its place on page %d and prints "
                     "cut\n",
                     std::string(design_.title).c_str(), text.toUtf8().constData(), page);
    }
}

util::Result<std::vector<PageText>> Report::pageTexts(int page) const {
    std::vector<PageText> texts;
    if (!document_ || page < 1 || page > document_->pageCount()) return texts;
    PagePainter collector(texts, fonts_);
    if (util::Status painted = document_->paintPage(collector, page); !painted)
        return painted.failure();
    return texts;
}

DocumentInfo Report::documentInfo() const {
    if (document_) return document_->documentInfo();
    DocumentInfo info;
    info.title = std::string(design_.title);
    return info;
}

PageLabel Report::pageLabel(int page) const {
    return document_ ? document_->pageLabel(page) : PageLabel{};
}

util::Result<std::vector<OutlineEntry>> Report::readOutline() const {
    const auto* statement = dynamic_cast<const StatementDocument*>(document_.get());
    if (statement == nullptr || !connection_)
        return document_ ? document_->outline() : std::vector<OutlineEntry>();
    if (auto fromReads = statement->outlineFromReads()) return std::move(*fromReads);
    return readStatementOutline(*connection_, statement->index().selection());
}

util::Status Report::appendPdfDetails(const std::string& pdfPath) const {
    auto entries = readOutline();
    if (!entries) return entries.failure();
    return appendPdfUpdate(pdfPath, documentInfo(), *entries);
}

Report::PagesPainted Report::paintPages(QPagedPaintDevice& device, std::vector<int> pages,
                                        util::Progress* progress, const PageTarget& target) const {
    using Stop = PagesPainted::Stop;
    if (pages.empty()) {
        for (int page = 1; page <= pageCount(); ++page) pages.push_back(page);
    }
    QPainter painter;
    if (!painter.begin(&device)) return {Stop::Begin, pages.empty() ? 0 : pages.front(), {}};
    const int total = static_cast<int>(pages.size());
    PagePainter::Cache cache;
    const QRectF whole(0, 0, device.width(), device.height());
    for (int i = 0; i < total; ++i) {
        const int page = pages[static_cast<std::size_t>(i)];
        Stop stop = Stop::Done;
        util::Status painted;
        if (i > 0 && !device.newPage())
            stop = Stop::NewPage;
        else if (painted = paintPage(painter, page, target ? target(painter) : whole, &cache);
                 !painted)
            stop = Stop::Read;
        else if (progress != nullptr && !progress->advance(i + 1, total))
            stop = Stop::Cancelled;
        if (stop != Stop::Done) {
            painter.end();
            return {stop, page, painted ? std::string() : painted.failure().text()};
        }
    }
    if (!painter.end()) return {Stop::End, total == 0 ? 0 : pages.back(), {}};
    return {};
}

util::Status Report::print(QPagedPaintDevice& device) {
    if (!document_ || loadedKey_ != settingsKey()) {
        if (util::Status loaded = load(); !loaded) return loaded;
    }
    if (!device.setPageLayout(pageLayout())) return fail("the device does not take the paper");
    const PagesPainted painted = paintPages(device, {});
    if (!painted.ok())
        return fail(paintFailure(painted, "the output cannot be opened for painting"));
    return {};
}

std::string Report::paintFailure(const PagesPainted& painted, std::string_view cannotBegin) const {
    const std::string page = std::to_string(painted.page);
    switch (painted.stop) {
        case PagesPainted::Stop::Done:
            return {};
        case PagesPainted::Stop::Begin:
            return std::string(cannotBegin);
        case PagesPainted::Stop::NewPage:
            return "the output refused page " + page;
        case PagesPainted::Stop::Read:
        case PagesPainted::Stop::Cancelled:
            return "page " + page + " cannot be read: " + painted.reason;
        case PagesPainted::Stop::End:
            break;
    }
    return painted.reason.empty() ? "the output could not be finished" : painted.reason;
}

util::Status Report::exportWorkbook(const std::string& path) {
    if (!document_ || loadedKey_ != settingsKey()) {
        if (util::Status loaded = load(); !loaded) return loaded;
    }
    // The pages stay loaded: only the file failed.
    return writeWorkbook(path);
}

util::Status Report::writeWorkbook(const std::string& path) const {
    if (!document_) return failure("not loaded");
    util::Status written = document_->writeWorkbook(path);
    if (!written) return failure(written.failure().text());
    return {};
}

bool Report::setUpPdf(QPdfWriter& writer) const {
    writer.setResolution(600);
    writer.setCreator(QString::fromStdString(creatorText()));
    writer.setTitle(util::qText(design_.title));
    return writer.setPageLayout(pageLayout());
}

util::Status Report::exportPdf(const std::string& path, int threads) {
    if (!hasGuiApplication()) return fail("painting needs a QGuiApplication");
    if (!document_ || loadedKey_ != settingsKey()) {
        if (util::Status loaded = load(); !loaded) return loaded;
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return fail("cannot write " + path);
    const PagesPainted painted = writePdf(file, threads);
    file.close();
    if (!painted.ok()) return fail(paintFailure(painted, "cannot write " + path));
    // The pages stay loaded: only the file failed.
    if (util::Status added = appendPdfDetails(path); !added)
        return failure(path + ": " + added.failure().text());
    return {};
}

}  // namespace omrix::reports
