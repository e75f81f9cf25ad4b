#pragma once
// The progress of a workbook being written, for a window that shows it and can stop
// it: every document writes its pages through writeWorkbookPageNumber, which reports
// here, so no document carries the callback itself.

#include "util/progress.h"

namespace omrix::reports {

// Thrown out of a workbook write whose progress asked it to stop. The writers hold
// their files and record sets by value, so everything is let go on the way out.
struct WorkbookStopped {};

// While one lives, the workbooks this thread writes report each page to `progress`.
class WorkbookProgressScope {
  public:
    // Told of each page written; null counts nothing. It must outlive the scope.
    explicit WorkbookProgressScope(util::Progress* progress);
    ~WorkbookProgressScope();
    WorkbookProgressScope(const WorkbookProgressScope&) = delete;
    WorkbookProgressScope& operator=(const WorkbookProgressScope&) = delete;

    // A page is written; throws WorkbookStopped when the progress says stop.
    static void pageWritten(int done, int total);

  private:
    util::Progress* progress_;
    WorkbookProgressScope* outer_;
};

}  // namespace omrix::reports
