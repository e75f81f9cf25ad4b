#pragma once
// The progress hook of the long table procedures. The procedures set the state as
// a progress bar control would be set; a window mirrors it through onChange.

#include <cstdint>
#include <functional>

namespace omrix::breakdown {

class ProgressBar {
  public:
    bool visible() const { return visible_; }
    int32_t minimum() const { return minimum_; }
    int32_t maximum() const { return maximum_; }
    int32_t value() const { return value_; }

    void setVisible(bool visible) { visible_ = visible, changed(); }
    void setMinimum(int32_t minimum) { minimum_ = minimum, changed(); }
    void setMaximum(int32_t maximum) { maximum_ = maximum, changed(); }
    void setValue(int32_t value) { value_ = value, changed(); }

    // Called after every change.
    std::function<void(const ProgressBar&)> onChange;

  private:
    void changed() {
        if (onChange) onChange(*this);
    }
    bool visible_ = false;
    int32_t minimum_ = 0;
    int32_t maximum_ = 100;
    int32_t value_ = 0;
};

}  // namespace omrix::breakdown
