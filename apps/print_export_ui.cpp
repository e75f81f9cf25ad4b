#include "print_export_ui.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QtGlobal>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "reports/launch/report.h"
#include "util/part_file.h"

namespace omrix::apps {
namespace {

constexpr int kBarWidth = 30;

void quietQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        std::abort();
    }
}

}  // namespace

void silenceQtWarnings() {
    qInstallMessageHandler(quietQtMessage);
}

TerminalProgress::TerminalProgress(std::FILE* out) : out_(out) {
    bar_.onChange = [this](const breakdown::ProgressBar& bar) {
        if (!bar.visible()) return finishLine();
        draw(static_cast<int64_t>(bar.value()) - bar.minimum(),
             static_cast<int64_t>(bar.maximum()) - bar.minimum());
    };
}

void TerminalProgress::showCaption(std::string_view caption) {
    caption_ = caption;
    shownPercent_ = -1;
}

void TerminalProgress::hideCaption() {
    finishLine();
}

void TerminalProgress::showPages(std::string_view caption, int done, int total) {
    if (caption_ != caption) showCaption(caption);
    draw(done, total);
    if (done >= total) finishLine();
}

void TerminalProgress::draw(int64_t done, int64_t total) {
    if (total <= 0) return;
    int percent = static_cast<int>(std::clamp<int64_t>(done * 100 / total, 0, 100));
    // Redrawing only on a new per cent keeps a 100,000-row write from flooding the terminal.
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    int filled = percent * kBarWidth / 100;
    std::fprintf(out_, "\r%s [%s%s] %3d%%", caption_.c_str(), std::string(filled, '#').c_str(),
                 std::string(kBarWidth - filled, ' ').c_str(), percent);
    std::fflush(out_);
    lineOpen_ = true;
}

void TerminalProgress::finishLine() {
    if (lineOpen_) std::fputc('\n', out_);
    lineOpen_ = false;
    shownPercent_ = -1;
}

std::string_view outputName(print::ViewerKind viewer) {
    switch (viewer) {
        case print::ViewerKind::Uchiwakesho:
            return "uchiwake";
        case print::ViewerKind::Youkou:
            return "youkou";
        case print::ViewerKind::Gaiyou:
            return "gaiyou";
        case print::ViewerKind::Daika:
            return "daika";
    }
    return "output";
}

ExportUi::ExportUi(print::PrintRunChoices choices, bool choicesReadable, std::string outFolder,
                   bool render, ExportFormats formats, std::unique_ptr<TerminalProgress> progress)
    : choices_(std::move(choices)),
      choicesReadable_(choicesReadable),
      outFolder_(std::move(outFolder)),
      render_(render),
      formats_(formats),
      progress_(std::move(progress)) {}

ExportUi::~ExportUi() = default;

bool ExportUi::collectChoices(print::PrintRunChoices& choices) {
    choices = choices_;
    return choicesReadable_;
}

bool ExportUi::openViewer(print::ViewerKind viewer, reports::Report& report) {
    if (!render_) return true;
    if (formats_.pdf && !writeFile(viewer, kPdfExtension, report)) return false;
    if (formats_.xlsx && !writeFile(viewer, kXlsxExtension, report)) return false;
    return !printJob_ || printDocument(viewer, report);
}

bool ExportUi::printDocument(print::ViewerKind viewer, reports::Report& report) {
    int sent = 0;
    std::string error;
    if (!reports::printReportOnQueue(report, *printJob_, sent, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    if (sent == 0) {
        std::fprintf(stderr, "%s: no page in the range; not printed\n",
                     std::string(outputName(viewer)).c_str());
    }
    return true;
}

bool ExportUi::writeFile(print::ViewerKind viewer, std::string_view extension,
                         reports::Report& report) {
    std::string path = (std::filesystem::path(outFolder_) /
                        (std::string(outputName(viewer)) + std::string(extension)))
                           .string();
    util::PartFile part(path);
    std::string error;
    bool written = extension == kXlsxExtension
                       ? writeReportWorkbook(report, part.path(), error)
                       : writeReportPdf(report, part.path(), progress_.get(), error) &&
                             report.appendOutline(part.path(), error);
    if (!written || !part.commit(error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    written_.push_back(path);
    return true;
}

bool writeReportWorkbook(reports::Report& report, const std::string& path, std::string& error) {
    if (report.exportWorkbook(path)) return true;
    error = report.lastError();
    return false;
}

namespace {

bool paintPdf(reports::Report& report, QIODevice& device, TerminalProgress* progress,
              std::string& error) {
    QPdfWriter writer(&device);
    writer.setResolution(600);
    writer.setCreator("omrix-print");
    const std::string_view title = report.design().title;
    writer.setTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    if (!writer.setPageLayout(report.pageLayout())) {
        error = "the PDF writer does not take the paper";
        return false;
    }
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = "the PDF could not be started";
        return false;
    }
    const int pages = report.pageCount();
    const std::string caption = std::string(title) + " PDF";
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !writer.newPage()) {
            painter.end();
            error = "the PDF writer refused page " + std::to_string(page);
            return false;
        }
        if (!report.paintPage(painter, page)) {
            painter.end();
            error = "page " + std::to_string(page) + " cannot be read: " + report.pageError();
            return false;
        }
        if (progress != nullptr) progress->showPages(caption, page, pages);
    }
    if (!painter.end()) {
        error = "the PDF could not be finished";
        return false;
    }
    return true;
}

}  // namespace

bool writeReportPdf(reports::Report& report, const std::string& path, TerminalProgress* progress,
                    std::string& error) {
    // Loaded here with the launch's settings, so that the page count is known up front.
    if (!report.load()) {
        error = report.lastError();
        return false;
    }
    // Opened by descriptor, so that the file name never passes through a QString:
    // a name that is not UTF-8 is written under the bytes given.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = std::string("cannot write: ") + std::strerror(errno);
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = "cannot write the file";
        return false;
    }
    bool ok = paintPdf(report, file, progress, error) && file.flush() && ::fsync(fd) == 0;
    if (ok && file.error() != QFileDevice::NoError) {
        error = file.errorString().toStdString();
        ok = false;
    }
    file.close();
    if (!ok && error.empty()) error = "cannot write the file";
    return ok;
}

}  // namespace omrix::apps
