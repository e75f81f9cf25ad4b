#pragma once
// Where the main window shows the reports of a print run. The viewer windows plug in
// here; until a host is set the main window writes each report as a PDF file.

#include "print/print_ui.h"

namespace omrix::reports {
class Report;
}

namespace omrix::print_window {

class ViewerHost {
  public:
    virtual ~ViewerHost() = default;
    // Unloads the viewers of the previous run (and at exit).
    virtual void closeViewers() = 0;
    // Shows a launched report, modeless; false when it cannot be shown.
    virtual bool openViewer(print::ViewerKind viewer, reports::Report& report) = 0;
};

}  // namespace omrix::print_window
