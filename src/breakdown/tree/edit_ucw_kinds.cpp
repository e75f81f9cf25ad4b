// Row kinds of a line and what follows from them.

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/ucw_walk.h"
#include "breakdown/tree/program_values.h"

namespace omrix::breakdown {
namespace {

bool isOneOf(int16_t kind, std::initializer_list<int16_t> kinds) {
    for (int16_t k : kinds) {
        if (k == kind) return true;
    }
    return false;
}

}  // namespace

int16_t COmrixEditUcw::fnGetUchiwakeRecAttribute() const {
    int16_t flag = rec_->種別フラグ;
    for (int16_t bit : {kFlagSyumoku, kFlagKamoku, kFlagChuKamoku}) {
        if (flag & bit) return bit;
    }
    return flag > 0 ? kFlagMeisai : 0;
}

int16_t COmrixEditUcw::fnGetEditSyubetu() const {
    if (programEditMode() & 4) return 8;
    const COmrixEditUcw* line = this;
    for (;;) {
        switch (line->fnGetMajorSyubetu()) {
            case kSyubetuMidasi:
                return 1;
            case kSyubetuSyumoku:
                return 2;
            case kSyubetuKamoku:
            case kSyubetuChuKamoku:
                return 8;
            case kSyubetuMeisai:
                return 512;
            default:
                break;
        }
        if (line->parent_ == nullptr)
            return static_cast<int16_t>(line->rec_->種別フラグ &
                                        (kFlagSyumoku | kFlagKamoku | kFlagMeisai | kFlag512));
        line = line->parent_;
    }
}

COmrixEditUcw* COmrixEditUcw::fnGetItemUcw() {
    return findAbove(this, [](const COmrixEditUcw* line) {
        return isOneOf(line->fnGetMajorSyubetu(),
                       {kSyubetuMidasi, kSyubetuSyumoku, kSyubetuKamoku, kSyubetuChuKamoku});
    });
}

int16_t COmrixEditUcw::fnGetItemSyubetu() const {
    const COmrixEditUcw* item = const_cast<COmrixEditUcw*>(this)->fnGetItemUcw();
    return item != nullptr ? item->fnGetMajorSyubetu() : 0;
}

bool COmrixEditUcw::fnIsEditUnit() const {
    return isOneOf(fnGetMajorSyubetu(),
                   {kSyubetuMidasi, kSyubetuSyumoku, kSyubetuKamoku, kSyubetuChuKamoku,
                    kSyubetuMeisai, kSyubetuBesshi, kSyubetuKeizoku});
}

bool COmrixEditUcw::fnIsLockUnit() const {
    return isOneOf(fnGetMajorSyubetu(), {kSyubetuMidasi, kSyubetuSyumoku, kSyubetuKamoku,
                                         kSyubetuChuKamoku, kSyubetuBesshi});
}

bool COmrixEditUcw::fnIsSafeSyubetu() const {
    return fnIsSafeSyubetuFlag(rec_->種別フラグ);
}

bool COmrixEditUcw::fnIsUnUsed() const {
    return fnGetMajorSyubetu() == kSyubetuMeisai && fnIsMishiyou();
}

void COmrixEditUcw::sbSetUsed(bool bUsed) {
    if (fnGetMajorSyubetu() != kSyubetuMeisai) return;
    if (bUsed) {
        rec_->種別フラグ = static_cast<int16_t>(rec_->種別フラグ & ~kFlagMishiyou);
    } else {
        rec_->種別フラグ = static_cast<int16_t>(rec_->種別フラグ | kFlagMishiyou);
    }
}

bool COmrixEditUcw::fnIsHavingDaika() const {
    return fnGetMajorSyubetu() == kSyubetuMeisai && topChild_ != nullptr;
}

COmrixEditUcw* COmrixEditUcw::fnGetPairGokei() const {
    if (fnGetMajorSyubetu() != kSyubetuGokeiMidasi || next_ == nullptr) return nullptr;
    return next_->fnGetMajorSyubetu() == kSyubetuGokei ? next_ : nullptr;
}

COmrixEditUcw* COmrixEditUcw::fnGetPairGokeiMidasi() const {
    if (fnGetMajorSyubetu() != kSyubetuGokei || prev_ == nullptr) return nullptr;
    return prev_->fnGetMajorSyubetu() == kSyubetuGokeiMidasi ? prev_ : nullptr;
}

const COmrixEditUcw* COmrixEditUcw::upperOfKind(int16_t kind) const {
    return findAbove(
        this, [kind](const COmrixEditUcw* line) { return line->fnGetMajorSyubetu() == kind; });
}

std::string COmrixEditUcw::fnGetUpperSyumokuPageName() const {
    const COmrixEditUcw* syumoku = upperOfKind(kSyubetuSyumoku);
    return syumoku != nullptr ? syumoku->rec_->頁名称.str() : std::string();
}

int32_t COmrixEditUcw::fnGetUpperSyumokuID() const {
    const COmrixEditUcw* syumoku = upperOfKind(kSyubetuSyumoku);
    return syumoku != nullptr ? syumoku->rec_->種目ＩＤ : 0;
}

int32_t COmrixEditUcw::fnGetUpperKamokuID() const {
    const COmrixEditUcw* kamoku = upperOfKind(kSyubetuKamoku);
    return kamoku != nullptr ? kamoku->rec_->科目ＩＤ : 0;
}

bool COmrixEditUcw::fnIsSelfMoney() const {
    switch (fnGetMajorSyubetu()) {
        case kSyubetuMeisai:
        case kSyubetu512:
        case kSyubetuKeizoku:
            return true;
        case kSyubetuSyumoku:
        case kSyubetuKamoku:
        case kSyubetuChuKamoku:
        case kSyubetuBesshi:
            return topChild_ == nullptr;
        default:
            return false;
    }
}

bool COmrixEditUcw::fnIsSelfDispTanka() const {
    return fnIsSelfMoney() || isOneOf(fnGetMajorSyubetu(), {kSyubetuSyumoku, kSyubetuKamoku,
                                                            kSyubetuChuKamoku, kSyubetuBesshi});
}

bool COmrixEditUcw::fnCheckLowerSyubetu(int16_t nSyubetu) const {
    // The editor asks whether a kind may go above this line: no line below may
    // carry any of its bits.
    return findBelow(this, [nSyubetu](const COmrixEditUcw* line) {
               return (line->rec_->種別フラグ & nSyubetu) != 0;
           }) == nullptr;
}

}  // namespace omrix::breakdown
