#include "print_window/viewer_host_window.h"

#include "platform/messages.h"

namespace omrix::print_window {

bool ReportViewerHost::openViewer(print::ViewerKind viewer, reports::Report& report) {
    util::Status opened = viewers_.openViewer(viewer, report);
    if (opened) return true;
    platform::showMessageBox(opened.failure().text(), platform::kStyleCritical);
    return false;
}

}  // namespace omrix::print_window
