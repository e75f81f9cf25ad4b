// Content tests and continuation lines.

#include <string>

#include "breakdown/tree/edit_ucw.h"
#include "util/text.h"

namespace omrix::breakdown {
namespace {

// Trims the field on both sides, stores it back and tells whether it is blank.
template <std::size_t N>
bool trimIsBlank(FixedText<N>& field) {
    std::string_view stored = field.trimmedRight();
    std::string_view trimmed = util::trimBlanksLeft(stored);
    if (trimmed.size() != stored.size()) field = std::string(trimmed);
    return trimmed.empty();
}

template <std::size_t N>
bool isBlank(const FixedText<N>& field) {
    return util::trimBlanksLeft(field.trimmedRight()).empty();
}

bool isContentKind(int16_t kind) {
    return kind == kSyubetuSyumoku || kind == kSyubetuKamoku || kind == kSyubetuChuKamoku ||
           kind == kSyubetuMeisai || kind == kSyubetu512;
}

}  // namespace

bool COmrixEditUcw::contentIsEmpty(bool namesOnly) {
    if (!isContentKind(fnGetMajorSyubetu())) return false;
    UchiwakeRec& r = *rec_;
    // Every field is trimmed, blank or not, before the verdict.
    bool blank = trimIsBlank(r.名称１);
    blank &= trimIsBlank(r.名称２);
    blank &= trimIsBlank(r.仕様１);
    blank &= trimIsBlank(r.仕様２);
    if (!namesOnly) {
        blank &= trimIsBlank(r.単位名称);
        blank &= trimIsBlank(r.見積１単価計算式);
        blank &= trimIsBlank(r.見積２単価計算式);
        blank &= trimIsBlank(r.提出用単価計算式);
        blank = blank && r.内訳数量 == 0.0 && r.見積１単価 == Currency() &&
                r.見積２単価 == Currency() && r.提出用単価 == Currency();
    }
    if (!blank) return false;
    // The lock is asked before the children: a holder that has let go may have saved
    // lines below this one, which the re-check takes over.
    if (fnIsLocked(true)) return false;
    return topChild_ == nullptr;
}

bool COmrixEditUcw::fnIsEmpty() {
    return contentIsEmpty(false);
}

bool COmrixEditUcw::fnNameIsEmpty() {
    return contentIsEmpty(true);
}

bool COmrixEditUcw::fnIsNoSaveEmpty() {
    for (COmrixEditUcw* line = this; line != nullptr; line = line->fnGetEditNext()) {
        if (!line->fnIsEmpty()) return false;
    }
    return true;
}

bool COmrixEditUcw::fnIsMoneyDisp() {
    if (fnIsEmpty()) return false;
    switch (fnGetMajorSyubetu()) {
        case kSyubetuMidasi:
        case kSyubetuSyumoku:
        case kSyubetuKamoku:
        case kSyubetuChuKamoku:
        case kSyubetuMeisai:
        case kSyubetuGokeiMidasi:
        case kSyubetuGokei:
            return true;
        default:
            return false;
    }
}

bool COmrixEditUcw::hasNoAmounts() const {
    const UchiwakeRec& r = *rec_;
    const Currency zero;
    return r.内訳数量 == 0.0 && r.見積１単価 == zero && r.見積２単価 == zero &&
           r.提出用単価 == zero && r.見積１金額 == zero && r.見積２金額 == zero &&
           r.提出用金額 == zero;
}

bool COmrixEditUcw::fnIsKeizoku() {
    int16_t kind = fnGetMajorSyubetu();
    if (kind == kSyubetuMeisai) {
        if (prev_ == nullptr || prev_->fnGetMajorSyubetu() != kSyubetuMeisai) return false;
        if (prev_->fnIsMishiyou() || prev_->fnIsEmpty() || fnIsEmpty()) return false;
    } else if (kind == kSyubetuKeizoku) {
        if (prev_ == nullptr) return false;
        int16_t prevKind = prev_->fnGetMajorSyubetu();
        if (prevKind != kSyubetuKeizoku && prevKind != kSyubetuBesshi) return false;
        if (prev_->fnIsEmpty()) return false;
    } else {
        return false;
    }
    return !fnIsMishiyou() && hasNoAmounts() && rec_->単位ＩＤ < 1 && isBlank(rec_->単位名称);
}

COmrixEditUcw* COmrixEditUcw::fnGetKeizokuParent() {
    if (!fnIsKeizoku()) return nullptr;
    for (COmrixEditUcw* line = prev_; line != nullptr; line = line->prev_) {
        if (!line->fnIsKeizoku()) return line;
    }
    return nullptr;
}

int32_t COmrixEditUcw::fnGetKeizokuNo() {
    if (!fnIsKeizoku()) return 0;
    int32_t number = 1;
    for (COmrixEditUcw* line = prev_; line != nullptr && line->fnIsKeizoku(); line = line->prev_) {
        ++number;
    }
    return number;
}

bool COmrixEditUcw::fnIsUnCalcKeizoku() {
    if (!fnIsKeizoku()) return false;
    return fnGetMajorSyubetu() == kSyubetuKeizoku || isBlank(rec_->名称２);
}

}  // namespace omrix::breakdown
