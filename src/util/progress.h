#pragma once
// How long work shows how far it has come and learns that the user wants it stopped:
// the breakdown load, the print-row write, painting pages, writing a workbook. The
// main window, the viewers, the terminal of omrix-print-export and the tests implement
// it; the work never knows which.

#include <cstdint>
#include <functional>
#include <string_view>

namespace omrix::util {

class Progress {
  public:
    virtual ~Progress() = default;
    // What is being done, shown beside the count; an empty caption hides it.
    virtual void showCaption(std::string_view caption) { (void)caption; }
    // `done` of `total` steps, shown as a count. False when the user asked to stop:
    // work that can stop there does, other work goes on.
    virtual bool advance(int64_t done, int64_t total) = 0;
    // The count goes; the caption stays until it is hidden itself.
    virtual void hideCount() {}
    // Between steps of work on the window's thread: lets the window paint and answer.
    virtual void idle() {}
};

// Count and caption hidden together, as every way out of a long step leaves them.
inline void hideProgress(Progress* progress) {
    if (progress == nullptr) return;
    progress->hideCount();
    progress->showCaption({});
}

// A Progress that only counts: each step goes to a function, which may say stop.
class ProgressFunction final : public Progress {
  public:
    using Step = std::function<bool(int64_t done, int64_t total)>;
    explicit ProgressFunction(Step step) : step_(std::move(step)) {}
    bool advance(int64_t done, int64_t total) override { return !step_ || step_(done, total); }

  private:
    Step step_;
};

}  // namespace omrix::util
