#pragma once
// One line of a loaded breakdown with its links in the tree: parent, previous and
// next sibling, top child. Lines are made and owned by their UcwTree; links are
// plain pointers, nullptr for "nothing".

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "breakdown/tables/uchiwake_records.h"
#include "records/bukken_hensu_record.h"

namespace omrix::breakdown {

class UcwTree;
class ProgressBar;
class FormulaEvaluator;

// Only a tree makes lines.
class UcwLineKey {
    friend class UcwTree;
    UcwLineKey() = default;
};

class COmrixEditUcw {
  public:
    COmrixEditUcw(UcwLineKey, UcwTree* tree, UchiwakeRec* rec) : tree_(tree), rec_(rec) {}
    ~COmrixEditUcw();
    COmrixEditUcw(const COmrixEditUcw&) = delete;
    COmrixEditUcw& operator=(const COmrixEditUcw&) = delete;

    // The line's record: read in place, replaced whole.
    const UchiwakeRec& prUchiwakeRec() const { return *rec_; }
    void prUchiwakeRec(const UchiwakeRec& rec) { *rec_ = rec; }
    // One link each, the other side untouched.
    void prParent(COmrixEditUcw* line) { parent_ = line; }
    void prPrev(COmrixEditUcw* line) { prev_ = line; }
    void prNext(COmrixEditUcw* line) { next_ = line; }
    void prTopChild(COmrixEditUcw* line) { topChild_ = line; }

    // A handle that keeps the line's tree alive.
    std::shared_ptr<COmrixEditUcw> share();
    UcwTree& tree() const { return *tree_; }

    bool fnIsUnCalcKeizoku();
    int32_t fnGetEditLevel() const;
    int16_t fnGetItemSyubetu() const;
    COmrixEditUcw* fnGetItemUcw();
    void sbGetIDArray(bool bMeToo, std::vector<int32_t>& lID) const;
    bool fnSimpleSave(bool bMeToo);
    void sbJidoNeire(int32_t eTanka, int32_t eTaisyo);
    std::string fnGetUpperSyumokuPageName() const;
    bool fnIsHavingDaika() const;
    COmrixEditUcw* fnCreateCopy() const;
    bool fnIsSafeSyubetu() const;
    bool fnCheckLowerSyubetu(int16_t nSyubetu) const;
    void sbCheckSyuKamokuID(int32_t lSyumokuID, int32_t lKamokuID);
    void sbClearLowerID(bool bMeToo, bool bMoveID);
    void sbAdjustID(bool bMeToo, int32_t lMaxID, int32_t lMaxDaikaID);
    bool fnIsUnUsed() const;
    void sbSetUsed(bool bUsed);
    bool fnIsSelfMoney() const;
    bool fnIsSelfDispTanka() const;
    // The project's variables (物件変数) go into the formulas; their names are stored
    // back trimmed.
    void sbSelfAdjustMoney(std::vector<records::BukkenHensuRec>& variables);
    void sbMoneyReCalc(std::vector<records::BukkenHensuRec>& variables);
    int32_t fnGetUpperKamokuID() const;
    int32_t fnGetUpperSyumokuID() const;
    bool fnIsNoSaveEmpty();
    bool fnIsEmpty();
    bool fnNameIsEmpty();
    bool fnIsMoneyDisp();
    COmrixEditUcw* fnGetPairGokei() const;
    COmrixEditUcw* fnGetPairGokeiMidasi() const;
    COmrixEditUcw* fnGetKeizokuParent();
    int32_t fnGetKeizokuNo();
    bool fnIsKeizoku();
    void sbGetStackCollection(std::vector<COmrixEditUcw*>& collectionStack);
    void sbGetEditStackCollection(std::vector<COmrixEditUcw*>& collectionStack);
    bool fnSaveBukkenAll(ProgressBar* prgPrgBar = nullptr);
    int32_t fnGetEditChildCount() const;
    COmrixEditUcw* fnGetEditChild(int32_t lIndex) const;
    COmrixEditUcw* fnGetEditFirst() const;
    COmrixEditUcw* fnGetEditLast() const;
    int32_t fnGetEditIndex() const;
    void sbSetEditPrev(COmrixEditUcw* obNewEditPrev);
    bool fnSetEditPrevAddChildJoken() const;
    void sbSetEditNext(COmrixEditUcw* obNewEditNext);
    COmrixEditUcw* fnGetEditPrev() const;
    COmrixEditUcw* fnGetEditParent() const;
    COmrixEditUcw* fnGetEditNext() const;
    bool fnIsExist(const COmrixEditUcw* obUcw, bool bMeToo) const;
    bool fnIsLowerLock(bool bMeToo, bool bDB,
                       std::vector<COmrixEditUcw*>* collectionLock = nullptr);
    COmrixEditUcw* fnGetUpperLock(bool bMeToo);
    bool fnIsLocked(bool bDB);
    void sbSetLock(bool bLock) { rec_->ロック = bLock; }
    COmrixEditUcw* fnGetUpperLockUnit(bool bMeToo);
    COmrixEditUcw* fnGetUpperEditUnit(bool bMeToo);
    bool fnIsEditUnit() const;
    bool fnIsLockUnit() const;
    COmrixEditUcw* fnGetIDTarget(int32_t lUchiwakeID, bool bMeToo);
    COmrixEditUcw* fnGetMeisaiCDTarget(std::string_view sMeisaiCD, std::string_view sHojoMeisaiCD,
                                       bool bMeToo);
    int32_t fnGetLevel() const;
    COmrixEditUcw* fnGetParent() const { return parent_; }
    COmrixEditUcw* fnGetPrev() const { return prev_; }
    COmrixEditUcw* fnGetNext() const { return next_; }
    void sbSetParent(COmrixEditUcw* obParent, int32_t lIndex = 0, bool bPrev = false);
    void sbSetPrev(COmrixEditUcw* obNewPrev, COmrixEditUcw** obRoot = nullptr);
    void sbSetNext(COmrixEditUcw* obNewNext);
    int32_t fnGetChildCount() const;
    COmrixEditUcw* fnGetChild(int32_t lIndex) const;
    void sbRefreshLower(COmrixEditUcw* obNewTopChild);
    void sbAddChild(COmrixEditUcw* obNewChild, int32_t lIndex = 0, bool bPrev = false);
    void sbIsolate(COmrixEditUcw** obRoot = nullptr);
    void sbOwnIsolate(COmrixEditUcw** obRoot = nullptr);
    int32_t fnGetIndex() const;
    COmrixEditUcw* fnGetFirst();
    COmrixEditUcw* fnGetLast();
    COmrixEditUcw* fnGetTopChild() const { return topChild_; }
    COmrixEditUcw* fnGetLastChild() const;
    int16_t fnGetEditSyubetu() const;
    int16_t fnGetMajorSyubetu() const { return fnMajorSyubetu(rec_->種別フラグ); }
    int16_t fnGetUchiwakeRecAttribute() const;
    void sbSearchSyuBetu(int16_t nCheckSyubetu, bool& bExist) const;
    bool fnIsMishiyou() const { return (rec_->種別フラグ & kFlagMishiyou) != 0; }

    // The recalculation with one evaluator for every formula of the subtree.
    void sbMoneyReCalc(FormulaEvaluator& evaluator);
    void sbSelfAdjustMoney(FormulaEvaluator& evaluator);

  private:
    // This line or the nearest above it of the major kind; null when none is.
    const COmrixEditUcw* upperOfKind(int16_t kind) const;
    bool contentIsEmpty(bool namesOnly);
    bool hasNoAmounts() const;

    UcwTree* tree_;
    UchiwakeRec* rec_;
    COmrixEditUcw* parent_ = nullptr;
    COmrixEditUcw* prev_ = nullptr;
    COmrixEditUcw* next_ = nullptr;
    COmrixEditUcw* topChild_ = nullptr;
};

}  // namespace omrix::breakdown
