#pragma once
// Where the launches show their reports: the desktop program's viewer windows, or the
// export's files and queues. The print run itself never sees a report; it only asks
// the launches, which open their viewer here.

#include "print/print_ui.h"

namespace omrix::reports {

class Report;

class ViewerHost {
  public:
    virtual ~ViewerHost() = default;
    // Unloads the viewers of the previous run (and at exit).
    virtual void closeViewers() = 0;
    // Shows a launched report, modeless; false when it cannot be shown.
    virtual bool openViewer(print::ViewerKind viewer, Report& report) = 0;
};

}  // namespace omrix::reports
