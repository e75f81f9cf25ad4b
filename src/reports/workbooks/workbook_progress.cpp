#include "reports/workbooks/workbook_progress.h"

namespace omrix::reports {
namespace {

thread_local WorkbookProgressScope* innermost = nullptr;

}  // namespace

WorkbookProgressScope::WorkbookProgressScope(WorkbookProgress progress)
    : progress_(std::move(progress)), outer_(innermost) {
    innermost = this;
}

WorkbookProgressScope::~WorkbookProgressScope() {
    innermost = outer_;
}

void WorkbookProgressScope::pageWritten(int done, int total) {
    if (innermost == nullptr || !innermost->progress_) return;
    if (!innermost->progress_(done, total)) throw WorkbookStopped{};
}

}  // namespace omrix::reports
