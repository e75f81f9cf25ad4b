#pragma once
// Turns the lines of one breakdown into its tree: the children of a line are the
// lines whose 親内訳ＩＤ is its 内訳ＩＤ, siblings are chained in 表示No order.

#include <cstdint>
#include <memory>
#include <vector>

#include "breakdown/tables/uchiwake_records.h"
#include "breakdown/tables/uchiwake_rows.h"
#include "breakdown/tree/edit_ucw.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::breakdown {

class ProgressBar;
class UchiwakeBuild;

// Loads the breakdown of one 内訳名称ＩＤ and returns its root (the first top-level
// line), or nullptr when the select or the build fails. Shows nothing.
std::shared_ptr<COmrixEditUcw> loadUchiwake(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId,
                                            ProgressBar* progressBar = nullptr);
// The tree of the outline of the same breakdown (uchiwake_outline.h): every line in
// its place, the heading lines whole, the others only their kind; for the level tree
// while the whole loads. Null when the outline cannot be read or built.
std::shared_ptr<COmrixEditUcw> loadUchiwakeOutline(data::CCCDBS_DataBase& db,
                                                   int32_t uchiwakeNameId);
// The same for AppContext.UchiwakeName on the program's connection.
std::shared_ptr<COmrixEditUcw> fnLoadUchiwake(ProgressBar* progressBar = nullptr);

// Rows are 1-based as the select fills them: element 0 is never looked at. Fails
// for a line placed twice, a line not reachable from the top (a missing parent, a
// parent loop) and a breakdown without top-level lines. On success the rows become
// the records of the tree's lines and `rows` is left empty.
bool fnBuildUchiwakeTree(UchiwakeRows& rows, std::shared_ptr<COmrixEditUcw>& root,
                         int32_t lTopParentID);

// Builds the level under lParentID and everything below it; firstChild is the
// first line of that level, nullptr when it is empty.
bool fnBuildUchiwakeLevel(int32_t lParentID, UchiwakeBuild& build, COmrixEditUcw*& firstChild);

// Sorts level[lo..hi] by 表示No, element 0 unused; hi -1 means the last element.
void sbSortUchiwakeByHyojiNo(std::vector<UchiwakeRec>& level, int32_t lo, int32_t hi);

}  // namespace omrix::breakdown
