#pragma once
// The five audit columns that open every table and every record. The records here
// are plain data that AppContext holds for the whole run, so they sit below every
// layer that reads it; the table modules use them under their own names.

#include <cstdint>

#include "util/date_time.h"
#include "util/fixed_text.h"

namespace omrix::records {

struct AuditRec {
    util::DateTime 更新日;             // set by the server on every write
    util::FixedText<16> 更新操作者;    // operator code of the writer
    util::FixedText<16> 更新画面ＩＤ;  // window the write was made from
    int16_t 更新カウンタ = 0;          // 0 on insert, 1..32766 after updates
    util::FixedText<1> 削除区分{"0"};  // "0": live; anything else hides the row

    friend bool operator==(const AuditRec&, const AuditRec&) = default;
};

}  // namespace omrix::records
