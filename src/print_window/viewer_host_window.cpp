#include "print_window/viewer_host_window.h"

#include "platform/messages.h"

namespace omrix::print_window {

bool ReportViewerHost::openViewer(print::ViewerKind viewer, reports::Report& report) {
    if (viewers_.openViewer(viewer, report)) return true;
    platform::showMessageBox(viewers_.lastError(), platform::kStyleCritical);
    return false;
}

}  // namespace omrix::print_window
