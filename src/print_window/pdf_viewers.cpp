#include "print_window/pdf_viewers.h"

#include <unistd.h>

#include <filesystem>

#include "platform/messages.h"
#include "reports/report_pdf.h"

namespace omrix::print_window {

namespace fs = std::filesystem;

PdfViewers::PdfViewers(std::string folder) : folder_(std::move(folder)) {}

void PdfViewers::closeViewers() {
    std::error_code ignored;
    for (const std::string& file : files_) fs::remove(file, ignored);
    files_.clear();
}

bool PdfViewers::openViewer(print::ViewerKind viewer, reports::Report& report) {
    std::error_code error;
    fs::create_directories(folder_, error);
    const std::string path = (fs::path(folder_) / reports::pdfFileName(viewer)).string();
    std::string reason;
    if (!reports::writeReportPdf(report, path, {}, reason)) {
        platform::showMessageBox(path + ": " + reason, platform::kStyleCritical);
        return false;
    }
    files_.push_back(path);
    if (onWritten) onWritten(path);
    return true;
}

std::string defaultViewerFolder() {
    return (fs::temp_directory_path() / ("omrix-print-" + std::to_string(::getpid()))).string();
}

}  // namespace omrix::print_window
