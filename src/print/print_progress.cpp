#include "print/print_progress.h"

#include <ostream>

namespace omrix::print {

void hidePrintProgress(PrintProgress* progress) {
    if (progress == nullptr) return;
    progress->hideCaption();
    progress->bar().setVisible(false);
}

StreamPrintProgress::StreamPrintProgress(std::ostream& out) : out_(out) {
    bar_.onChange = [this](const breakdown::ProgressBar& bar) { barChanged(bar); };
}

void StreamPrintProgress::showCaption(std::string_view caption) {
    out_ << caption << '\n' << std::flush;
}

void StreamPrintProgress::hideCaption() {
    shownTenths_ = -1;
}

void StreamPrintProgress::barChanged(const breakdown::ProgressBar& bar) {
    const int64_t span = static_cast<int64_t>(bar.maximum()) - bar.minimum();
    if (!bar.visible() || span <= 0) return;
    const int64_t done = static_cast<int64_t>(bar.value()) - bar.minimum();
    const auto tenths = static_cast<int32_t>(done * 10 / span);
    if (tenths <= shownTenths_) return;
    shownTenths_ = tenths;
    out_ << "  " << tenths * 10 << "%\n" << std::flush;
}

}  // namespace omrix::print
