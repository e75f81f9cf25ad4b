#pragma once
// Where writing the print rows shows its progress: Prg_PrgBar and Lbl_Prg in the
// main window, lines on a terminal in the export program.

#include <cstdint>
#include <iosfwd>
#include <string_view>

#include "breakdown/tables/progress_bar.h"

namespace omrix::print {

class PrintProgress {
  public:
    virtual ~PrintProgress() = default;
    // Prg_PrgBar: the write sets its range and shows it, the insert advances it.
    virtual breakdown::ProgressBar& bar() = 0;
    // Lbl_Prg.
    virtual void showCaption(std::string_view caption) = 0;
    virtual void hideCaption() = 0;
    // Runs after every row written, so a window can paint and take its events.
    virtual void doEvents() {}
};

// Bar and caption hidden together, as every way out of a write leaves them.
void hidePrintProgress(PrintProgress* progress);

// The caption as a line, then the bar in steps of ten per cent.
class StreamPrintProgress : public PrintProgress {
  public:
    explicit StreamPrintProgress(std::ostream& out);
    breakdown::ProgressBar& bar() override { return bar_; }
    void showCaption(std::string_view caption) override;
    void hideCaption() override;

  private:
    void barChanged(const breakdown::ProgressBar& bar);

    std::ostream& out_;
    breakdown::ProgressBar bar_;
    int32_t shownTenths_ = -1;
};

}  // namespace omrix::print
