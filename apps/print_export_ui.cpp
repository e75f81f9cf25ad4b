#include "print_export_ui.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QIODevice>
#include <QString>
#include <QtGlobal>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/write_error.h"
#include "reports/engine/pdf_update.h"
#include "reports/launch/report.h"
#include "util/part_file.h"
#include "util/qt_text.h"

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

void TerminalProgress::showCaption(std::string_view caption) {
    if (caption.empty()) return finishLine();
    if (caption_ != caption) finishLine();
    caption_ = caption;
}

bool TerminalProgress::advance(int64_t done, int64_t total) {
    draw(done, total);
    return true;
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
    const util::Result<int> sent = reports::printReportOnQueue(report, *printJob_);
    if (!sent) {
        std::fprintf(stderr, "%s\n", sent.failure().text().c_str());
        return false;
    }
    if (*sent == 0) {
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
    util::Status written = extension == kXlsxExtension
                               ? writeReportWorkbook(report, part.path())
                               : writeReportPdf(report, part.path(), progress_.get(), threads_);
    if (written && extension != kXlsxExtension) written = report.appendPdfDetails(part.path());
    if (written) written = part.commit();
    if (!written) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), written.failure().text().c_str());
        return false;
    }
    written_.push_back(path);
    return true;
}

namespace {

// Standard error shut for the length of a call: libxlsxwriter prints its own "[ERROR]"
// lines, and the run reports the failure itself in one line.
class MutedStderr {
  public:
    MutedStderr() {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
        if (null >= 0) ::close(null);
    }
    ~MutedStderr() {
        std::fflush(stderr);
        if (saved_ < 0) return;
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    MutedStderr(const MutedStderr&) = delete;
    MutedStderr& operator=(const MutedStderr&) = delete;

  private:
    int saved_ = -1;
};

}  // namespace

util::Status writeReportWorkbook(reports::Report& report, const std::string& path) {
    util::Status written;
    int cause = 0;
    {
        MutedStderr muted;
        errno = 0;
        written = report.exportWorkbook(path);
        cause = errno;
    }
    if (written) return {};
    if (platform::isDiskError(cause)) return util::Failure(platform::writeErrorText(cause));
    // Without "report <design>": the path before it names the document.
    const util::Failure& failure = written.failure();
    return util::Failure(failure.cause.empty() ? failure.message : failure.cause);
}

namespace {

constexpr size_t kDeviceBuffer = 1 << 16;

// Writes to a descriptor through a buffer of its own and keeps the first failure's
// error number: a write the disk refused must stop the run, not leave a short file.
class DescriptorDevice : public QIODevice {
  public:
    explicit DescriptorDevice(int fd) : fd_(fd) { open(QIODevice::WriteOnly); }
    ~DescriptorDevice() override { close(); }
    DescriptorDevice(const DescriptorDevice&) = delete;
    DescriptorDevice& operator=(const DescriptorDevice&) = delete;

    bool isSequential() const override { return true; }
    // The error number of the first failed write; 0 while none failed.
    int failure() const { return failure_; }
    // Writes out the buffer and syncs the file to the disk.
    bool finish() {
        if (!drain()) return false;
        if (::fsync(fd_) == 0) return true;
        failure_ = errno;
        return false;
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failure_ != 0) return -1;
        buffer_.append(data, static_cast<size_t>(size));
        if (buffer_.size() >= kDeviceBuffer && !drain()) return -1;
        return size;
    }

  private:
    bool drain() {
        size_t done = 0;
        while (failure_ == 0 && done < buffer_.size()) {
            const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
            if (n >= 0)
                done += static_cast<size_t>(n);
            else if (errno != EINTR)
                failure_ = errno;
        }
        buffer_.clear();
        return failure_ == 0;
    }

    int fd_;
    int failure_ = 0;
    std::string buffer_;
};

util::Status paintPdf(reports::Report& report, DescriptorDevice& device, TerminalProgress* progress,
                      int threads) {
    const std::string caption = std::string(report.design().title) + " PDF";
    // A write the disk refused stops the painting at the page after.
    using Painted = reports::Report::PagesPainted;
    if (progress != nullptr) progress->showCaption(caption);
    util::ProgressFunction step([&](int64_t done, int64_t total) {
        if (progress != nullptr) progress->advance(done, total);
        return device.failure() == 0;
    });
    const Painted painted = report.writePdf(device, threads, &step);
    if (progress != nullptr) progress->hideCount();
    const std::string page = std::to_string(painted.page);
    if (device.failure() != 0) return util::Failure(platform::writeErrorText(device.failure()));
    switch (painted.stop) {
        case Painted::Stop::Done:
            return {};
        case Painted::Stop::Begin:
            return util::Failure(painted.reason.empty() ? "the PDF could not be started"
                                                        : painted.reason);
        case Painted::Stop::NewPage:
            return util::Failure("the PDF writer refused page " + page);
        case Painted::Stop::Read:
        case Painted::Stop::Cancelled:
            return util::Failure("page " + page + " cannot be read: " + painted.reason);
        case Painted::Stop::End:
            break;
    }
    return util::Failure(painted.reason.empty() ? "the PDF could not be finished" : painted.reason);
}

}  // namespace

util::Status writeReportPdf(reports::Report& report, const std::string& path,
                            TerminalProgress* progress, int threads) {
    // Loaded here with the launch's settings, so that the page count is known up front.
    if (util::Status loaded = report.load(); !loaded) return loaded;
    // Opened by descriptor, so that the file name never passes through a QString:
    // a name that is not UTF-8 is written under the bytes given.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return util::Failure("cannot write", platform::writeErrorText(errno));
    util::Status painted;
    {
        DescriptorDevice device(fd);
        painted = paintPdf(report, device, progress, threads);
        if (painted && !device.finish()) painted = util::Failure("cannot write the file");
        if (device.failure() != 0)
            painted = util::Failure(platform::writeErrorText(device.failure()));
    }
    ::close(fd);
    return painted;
}

}  // namespace omrix::apps
