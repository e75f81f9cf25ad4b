// Editing order, searches, and the edit children of the editor.

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/ucw_walk.h"
#include "util/text.h"

namespace omrix::breakdown {

// Lines that are not edit units (totals, kind 512) are transparent: their children
// are visited in their place.
COmrixEditUcw* COmrixEditUcw::fnGetEditNext() const {
    if (!fnIsEditUnit() && topChild_ != nullptr) return topChild_;
    if (next_ != nullptr) return next_;
    for (COmrixEditUcw* line = parent_; line != nullptr && !line->fnIsEditUnit();
         line = line->parent_) {
        if (line->next_ != nullptr) return line->next_;
    }
    return nullptr;
}

COmrixEditUcw* COmrixEditUcw::fnGetEditPrev() const {
    if (prev_ != nullptr) {
        COmrixEditUcw* line = prev_;
        while (!line->fnIsEditUnit() && line->topChild_ != nullptr) line = line->fnGetLastChild();
        return line;
    }
    if (parent_ != nullptr && !parent_->fnIsEditUnit()) return parent_;
    return nullptr;
}

COmrixEditUcw* COmrixEditUcw::fnGetEditParent() const {
    return parent_ != nullptr ? parent_->fnGetUpperEditUnit(true) : nullptr;
}

// The edit children of a line are the lines of its unit in editing order.
int32_t COmrixEditUcw::fnGetEditChildCount() const {
    int32_t count = 0;
    for (COmrixEditUcw* line = topChild_; line != nullptr; line = line->fnGetEditNext()) ++count;
    return count;
}

COmrixEditUcw* COmrixEditUcw::fnGetEditChild(int32_t lIndex) const {
    if (lIndex < 1) return nullptr;
    COmrixEditUcw* line = topChild_;
    for (int32_t i = 1; line != nullptr && i < lIndex; ++i) line = line->fnGetEditNext();
    return line;
}

COmrixEditUcw* COmrixEditUcw::fnGetEditFirst() const {
    const COmrixEditUcw* line = this;
    while (COmrixEditUcw* prev = line->fnGetEditPrev()) line = prev;
    return const_cast<COmrixEditUcw*>(line);
}

COmrixEditUcw* COmrixEditUcw::fnGetEditLast() const {
    const COmrixEditUcw* line = this;
    while (COmrixEditUcw* next = line->fnGetEditNext()) line = next;
    return const_cast<COmrixEditUcw*>(line);
}

int32_t COmrixEditUcw::fnGetEditIndex() const {
    int32_t index = 1;
    for (COmrixEditUcw* line = fnGetEditPrev(); line != nullptr; line = line->fnGetEditPrev()) {
        ++index;
    }
    return index;
}

void COmrixEditUcw::sbSetEditPrev(COmrixEditUcw* obNewEditPrev) {
    sbSetPrev(obNewEditPrev);
}

void COmrixEditUcw::sbSetEditNext(COmrixEditUcw* obNewEditNext) {
    sbSetNext(obNewEditNext);
}

bool COmrixEditUcw::fnSetEditPrevAddChildJoken() const {
    // A line can go under the line before it when that one is a heading kind.
    COmrixEditUcw* prev = fnGetEditPrev();
    if (prev == nullptr) return false;
    int16_t kind = prev->fnGetMajorSyubetu();
    return kind == kSyubetuMidasi || kind == kSyubetuSyumoku || kind == kSyubetuKamoku ||
           kind == kSyubetuChuKamoku;
}

COmrixEditUcw* COmrixEditUcw::fnGetIDTarget(int32_t lUchiwakeID, bool bMeToo) {
    return findFrom(this, bMeToo, [lUchiwakeID](const COmrixEditUcw* line) {
        return line->rec_->内訳ＩＤ == lUchiwakeID;
    });
}

COmrixEditUcw* COmrixEditUcw::fnGetMeisaiCDTarget(std::string_view sMeisaiCD,
                                                  std::string_view sHojoMeisaiCD, bool bMeToo) {
    std::string_view code = util::trimBlanks(sMeisaiCD);
    std::string_view hojo = util::trimBlanks(sHojoMeisaiCD);
    return findFrom(this, bMeToo, [code, hojo](const COmrixEditUcw* line) {
        return util::trimBlanks(line->rec_->明細コード.trimmedRight()) == code &&
               util::trimBlanks(line->rec_->補助明細コード.trimmedRight()) == hojo;
    });
}

bool COmrixEditUcw::fnIsExist(const COmrixEditUcw* obUcw, bool bMeToo) const {
    if (obUcw == nullptr) return false;
    return findFrom(this, bMeToo, [obUcw](const COmrixEditUcw* line) { return line == obUcw; }) !=
           nullptr;
}

void COmrixEditUcw::sbSearchSyuBetu(int16_t nCheckSyubetu, bool& bExist) const {
    if (bExist) return;
    auto carries = [nCheckSyubetu](const COmrixEditUcw* line) {
        return (line->rec_->種別フラグ & nCheckSyubetu) == nCheckSyubetu;
    };
    bExist = findFrom(this, true, carries) != nullptr;
}

}  // namespace omrix::breakdown
