// Identifiers and copies, for the editor's moves and saves.

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/ucw_tree.h"
#include "breakdown/tree/ucw_walk.h"
#include "breakdown/tree/program_values.h"

namespace omrix::breakdown {
namespace {

// Temporary identifiers of new lines are negative: -1 becomes the maximum, -2 one less.
void adjust(int32_t& id, int32_t max) {
    if (id < 0) id = id + max + 1;
}

template <typename Line, typename Visit>
void forEachFrom(Line* top, bool meToo, Visit&& visit) {
    findFrom(top, meToo, [&visit](Line* line) {
        visit(line);
        return false;
    });
}

}  // namespace

void COmrixEditUcw::sbAdjustID(bool bMeToo, int32_t lMaxID, int32_t lMaxDaikaID) {
    forEachFrom(this, bMeToo, [&](COmrixEditUcw* line) {
        UchiwakeRec& r = *line->rec_;
        adjust(r.内訳ＩＤ, lMaxID);
        adjust(r.親内訳ＩＤ, lMaxID);
        adjust(r.合計見出し行ＩＤ, lMaxID);
        adjust(r.継続親内訳ＩＤ, lMaxID);
        adjust(r.代価表.代価表ＩＤ, lMaxDaikaID);
    });
}

void COmrixEditUcw::sbClearLowerID(bool bMeToo, bool bMoveID) {
    const int32_t current = programUchiwakeNameId();
    forEachFrom(this, bMeToo, [&](COmrixEditUcw* line) {
        UchiwakeRec& r = *line->rec_;
        if (bMoveID && r.内訳ＩＤ > 0 && r.内訳名称ＩＤ == current) r.移動元内訳ＩＤ = r.内訳ＩＤ;
        r.内訳ＩＤ = 0;
        r.代価表.代価表ＩＤ = 0;
    });
}

void COmrixEditUcw::sbGetIDArray(bool bMeToo, std::vector<int32_t>& lID) const {
    forEachFrom(this, bMeToo, [&lID](const COmrixEditUcw* line) {
        if (line->rec_->内訳ＩＤ >= 1) lID.push_back(line->rec_->内訳ＩＤ);
    });
}

void COmrixEditUcw::sbCheckSyuKamokuID(int32_t lSyumokuID, int32_t lKamokuID) {
    forEachFrom(this, true, [&](COmrixEditUcw* line) {
        UchiwakeRec& r = *line->rec_;
        int16_t kind = line->fnGetMajorSyubetu();
        if (lSyumokuID != 0 && lSyumokuID == r.種目ＩＤ) {
            if ((lKamokuID == 0 || lKamokuID != r.科目ＩＤ) && kind != kSyubetuKamoku) {
                r.科目ＩＤ = lKamokuID;
                if (kind != kSyubetu512) r.細目ＩＤ = 0;
            }
        } else if (kind != kSyubetuSyumoku) {
            r.種目ＩＤ = lSyumokuID;
            r.科目ＩＤ = 0;
            if (kind != kSyubetu512) r.細目ＩＤ = 0;
        }
    });
}

COmrixEditUcw* COmrixEditUcw::fnCreateCopy() const {
    return tree_->newLine(*rec_);
}

void COmrixEditUcw::sbJidoNeire(int32_t /*eTanka*/, int32_t /*eTaisyo*/) {
    // Prices are put in from the suite's unit-price masters by the editor; the
    // print module holds none, so there is nothing to put in here.
}

}  // namespace omrix::breakdown
