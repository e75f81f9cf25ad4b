#pragma once
// The program's values the row object and its named loader read: the editor's mode
// bits and the breakdown being edited. The breakdown layer reads AppContext here only.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace omrix::breakdown {

// AppContext.EditMode: with bit 4 every line edits as kind 8.
int32_t programEditMode();
// AppContext.UchiwakeName's 内訳名称ＩＤ: the breakdown start-up loaded.
int32_t programUchiwakeNameId();
// Keeps "内訳ＩＤ nの<column>" in AppContext.AmountOverflows for the export's message.
void noteAmountOverflow(int32_t uchiwakeId, std::string_view column);

// While it lives, overflows noted on the thread that made it go to `kept` instead: a
// recalculation on a thread of its own leaves AppContext to the window's thread.
class ThreadOverflowCapture {
  public:
    explicit ThreadOverflowCapture(std::vector<std::string>& kept);
    ~ThreadOverflowCapture();
    ThreadOverflowCapture(const ThreadOverflowCapture&) = delete;
    ThreadOverflowCapture& operator=(const ThreadOverflowCapture&) = delete;

  private:
    std::vector<std::string>* outer_;
};

}  // namespace omrix::breakdown
