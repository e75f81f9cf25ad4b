#include "reports/workbooks/workbook_progress.h"

namespace omrix::reports {
namespace {

thread_local WorkbookProgressScope* innermost = nullptr;

}  // namespace

WorkbookProgressScope::WorkbookProgressScope(util::Progress* progress)
    : progress_(progress), outer_(innermost) {
    innermost = this;
}

WorkbookProgressScope::~WorkbookProgressScope() {
    innermost = outer_;
}

void WorkbookProgressScope::pageWritten(int done, int total) {
    if (innermost == nullptr || innermost->progress_ == nullptr) return;
    if (!innermost->progress_->advance(done, total)) throw WorkbookStopped{};
}

}  // namespace omrix::reports
