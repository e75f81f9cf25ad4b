#pragma once
// The lines of a breakdown as its level tree needs them, read in a fraction of the
// time the whole takes: every line's place in the tree (内訳ＩＤ, 親内訳ＩＤ, 種別フラグ,
// 表示No and its lock mark) and every column of the heading lines alone, the kinds the
// level tree shows. The window is built from it while the whole loads.

#include <cstdint>

#include "breakdown/tables/uchiwake_rows.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::breakdown {

// Rows as fnOmrix_DBT_Uchiwake_Select201 (without 代価表) fills them, in its order;
// lines of other kinds carry only their place, and those that lead to no heading and
// no line printed apart are left out (all are kept when two lines under one parent
// share a 表示No, whose order the build's sort takes from the whole level). Shows
// nothing: false for any failure, a refused stored value or a line that changed
// between the two reads, and the caller then loads the whole as before, which
// reports it.
[[nodiscard]] bool fnOmrix_DBT_Uchiwake_SelectOutline(data::CCCDBS_DataBase& db, UchiwakeRows& rows,
                                                      int32_t lUchiwakeNameID);

// The kinds that have a node in the level tree: 見出し, 種目, 科目, 中科目, 別紙.
bool isLevelTreeKind(int16_t flag);

}  // namespace omrix::breakdown
