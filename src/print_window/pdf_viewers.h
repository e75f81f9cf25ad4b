#pragma once
// Stands in for the viewer windows: each report of a run becomes a PDF file in a folder
// of this process, whose path the main window shows. Closing the viewers removes them.

#include <functional>
#include <string>
#include <vector>

#include "print_window/viewer_host.h"

namespace omrix::print_window {

class PdfViewers : public ViewerHost {
  public:
    // Files go to `folder` (created when missing).
    explicit PdfViewers(std::string folder);

    void closeViewers() override;
    bool openViewer(print::ViewerKind viewer, reports::Report& report) override;

    const std::string& folder() const { return folder_; }
    // The files of the current run, in order.
    const std::vector<std::string>& files() const { return files_; }
    // Told each written file.
    std::function<void(const std::string& path)> onWritten;

  private:
    std::string folder_;
    std::vector<std::string> files_;
};

// A folder for this process's stand-in viewers under the system's temporary folder.
std::string defaultViewerFolder();

}  // namespace omrix::print_window
