#pragma once
// Prg_PrgBar as the long table procedures set it, a property at a time: its state is
// kept here, and every change is shown through the Progress it is lent.

#include <cstdint>

#include "util/progress.h"

namespace omrix::breakdown {

class ProgressBar {
  public:
    // Null shows nothing; the progress must outlive the bar.
    explicit ProgressBar(util::Progress* shown = nullptr) : shown_(shown) {}

    bool visible() const { return visible_; }
    int32_t minimum() const { return minimum_; }
    int32_t maximum() const { return maximum_; }
    int32_t value() const { return value_; }

    void setVisible(bool visible) { visible_ = visible, changed(); }
    void setMinimum(int32_t minimum) { minimum_ = minimum, changed(); }
    void setMaximum(int32_t maximum) { maximum_ = maximum, changed(); }
    void setValue(int32_t value) { value_ = value, changed(); }

  private:
    void changed() {
        if (shown_ == nullptr) return;
        if (!visible_) return shown_->hideCount();
        shown_->advance(int64_t{value_} - minimum_, int64_t{maximum_} - minimum_);
    }
    util::Progress* shown_;
    bool visible_ = false;
    int32_t minimum_ = 0;
    int32_t maximum_ = 100;
    int32_t value_ = 0;
};

}  // namespace omrix::breakdown
