#pragma once
// The progress of a workbook being written, for a window that shows it and can stop
// it: every document writes its pages through writeWorkbookPageNumber, which reports
// here, so no document carries the callback itself.

#include <functional>

namespace omrix::reports {

// Told of each page written (done of total); returning false stops the write.
using WorkbookProgress = std::function<bool(int done, int total)>;

// Thrown out of a workbook write whose progress asked it to stop. The writers hold
// their files and record sets by value, so everything is let go on the way out.
struct WorkbookStopped {};

// While one lives, the workbooks this thread writes report each page to `progress`.
class WorkbookProgressScope {
  public:
    explicit WorkbookProgressScope(WorkbookProgress progress);
    ~WorkbookProgressScope();
    WorkbookProgressScope(const WorkbookProgressScope&) = delete;
    WorkbookProgressScope& operator=(const WorkbookProgressScope&) = delete;

    // A page is written; throws WorkbookStopped when the progress says stop.
    static void pageWritten(int done, int total);

  private:
    WorkbookProgress progress_;
    WorkbookProgressScope* outer_;
};

}  // namespace omrix::reports
