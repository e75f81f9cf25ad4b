// Exclusive locks of lines that another program of the suite holds open.

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "breakdown/tree/ucw_tree.h"
#include "breakdown/tree/ucw_walk.h"
#include "data/tables/exclusive_lock.h"
#include "data/core/program_database.h"

namespace omrix::breakdown {

bool COmrixEditUcw::fnIsLocked(bool bDB) {
    if (!fnIsLockUnit()) return false;
    if (rec_->ロック && bDB) {
        data::CCCDBS_DataBase* db = data::programDatabase();
        bool locked = true;
        bool asked = db != nullptr && data::fnOmrix_DBT_HaitaKanri_CheckUchiwakeLock(
                                          *db, rec_->内訳名称ＩＤ, rec_->内訳ＩＤ, locked);
        if (asked && !locked) {
            // The holder has let go: take over what it saved below this line.
            std::shared_ptr<COmrixEditUcw> fresh = loadUchiwake(*db, rec_->内訳名称ＩＤ);
            COmrixEditUcw* same = fresh ? fresh->fnGetIDTarget(rec_->内訳ＩＤ, true) : nullptr;
            if (same != nullptr) {
                sbRefreshLower(tree_->copyChain(same->fnGetTopChild()));
                rec_->ロック = false;
            }
        }
    }
    return rec_->ロック;
}

COmrixEditUcw* COmrixEditUcw::fnGetUpperLock(bool bMeToo) {
    return findAbove(bMeToo ? this : parent_,
                     [](COmrixEditUcw* line) { return line->fnIsLocked(false); });
}

COmrixEditUcw* COmrixEditUcw::fnGetUpperLockUnit(bool bMeToo) {
    return findAbove(bMeToo ? this : parent_,
                     [](const COmrixEditUcw* line) { return line->fnIsLockUnit(); });
}

COmrixEditUcw* COmrixEditUcw::fnGetUpperEditUnit(bool bMeToo) {
    return findAbove(bMeToo ? this : parent_,
                     [](const COmrixEditUcw* line) { return line->fnIsEditUnit(); });
}

bool COmrixEditUcw::fnIsLowerLock(bool bMeToo, bool bDB,
                                  std::vector<COmrixEditUcw*>* collectionLock) {
    bool found = false;
    findFrom(this, bMeToo, [&](COmrixEditUcw* line) {
        if (!line->fnIsLocked(bDB)) return false;
        found = true;
        if (collectionLock == nullptr) return true;
        collectionLock->push_back(line);
        return false;
    });
    return found;
}

}  // namespace omrix::breakdown
