// The editor's saves and the collections they walk.

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tables/omrix_dbt_uchiwake.h"
#include "breakdown/tree/ucw_walk.h"
#include "platform/messages.h"

namespace omrix::breakdown {

void COmrixEditUcw::sbGetStackCollection(std::vector<COmrixEditUcw*>& collectionStack) {
    findFrom(this, true, [&collectionStack](COmrixEditUcw* line) {
        collectionStack.push_back(line);
        return false;
    });
}

void COmrixEditUcw::sbGetEditStackCollection(std::vector<COmrixEditUcw*>& collectionStack) {
    for (COmrixEditUcw* line = this; line != nullptr; line = line->fnGetEditNext()) {
        collectionStack.push_back(line);
    }
}

bool COmrixEditUcw::fnSimpleSave(bool bMeToo) {
    COmrixEditUcw* failed = findFrom(this, bMeToo, [](COmrixEditUcw* line) {
        return !fnOmrix_DBT_Uchiwake_Update(*line->rec_, false);
    });
    return failed == nullptr;
}

bool COmrixEditUcw::fnSaveBukkenAll(ProgressBar* prgPrgBar) {
    std::vector<COmrixEditUcw*> lines;
    sbGetStackCollection(lines);
    std::vector<UchiwakeRec> rows;
    rows.reserve(lines.size());
    for (const COmrixEditUcw* line : lines) rows.push_back(*line->rec_);
    if (fnOmrix_DBT_Uchiwake_SaveAll(rows, true, prgPrgBar)) return true;
    platform::fnPIMORA01_DispMessage(3010, 0, "内訳の書き込み", "", "fnSaveBukken");
    return false;
}

}  // namespace omrix::breakdown
