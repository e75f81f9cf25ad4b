#pragma once
// The program's values the row object and its named loader read: the editor's mode
// bits and the breakdown being edited. The breakdown layer reads AppContext here only.

#include <cstdint>

namespace omrix::breakdown {

// AppContext.EditMode: with bit 4 every line edits as kind 8.
int32_t programEditMode();
// AppContext.UchiwakeName's 内訳名称ＩＤ: the breakdown start-up loaded.
int32_t programUchiwakeNameId();

}  // namespace omrix::breakdown
