// Links and positions of a line among its siblings and under its parent.

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/ucw_tree.h"

namespace omrix::breakdown {

COmrixEditUcw::~COmrixEditUcw() {
    parent_ = prev_ = next_ = topChild_ = nullptr;
}

std::shared_ptr<COmrixEditUcw> COmrixEditUcw::share() {
    return tree_->share(this);
}

COmrixEditUcw* COmrixEditUcw::fnGetLastChild() const {
    return topChild_ != nullptr ? topChild_->fnGetLast() : nullptr;
}

COmrixEditUcw* COmrixEditUcw::fnGetFirst() {
    COmrixEditUcw* line = this;
    while (line->prev_ != nullptr) line = line->prev_;
    return line;
}

COmrixEditUcw* COmrixEditUcw::fnGetLast() {
    COmrixEditUcw* line = this;
    while (line->next_ != nullptr) line = line->next_;
    return line;
}

int32_t COmrixEditUcw::fnGetIndex() const {
    int32_t index = 1;
    for (const COmrixEditUcw* line = prev_; line != nullptr; line = line->prev_) ++index;
    return index;
}

int32_t COmrixEditUcw::fnGetChildCount() const {
    int32_t count = 0;
    for (const COmrixEditUcw* line = topChild_; line != nullptr; line = line->next_) ++count;
    return count;
}

COmrixEditUcw* COmrixEditUcw::fnGetChild(int32_t lIndex) const {
    if (lIndex < 1) return nullptr;
    COmrixEditUcw* line = topChild_;
    for (int32_t i = 1; line != nullptr && i < lIndex; ++i) line = line->next_;
    return line;
}

int32_t COmrixEditUcw::fnGetLevel() const {
    int32_t level = 1;
    for (const COmrixEditUcw* line = parent_; line != nullptr; line = line->parent_) ++level;
    return level;
}

int32_t COmrixEditUcw::fnGetEditLevel() const {
    // 0 at the top; every edit unit on the way up (this line included) adds one.
    int32_t level = 0;
    for (const COmrixEditUcw* line = this; line->parent_ != nullptr; line = line->parent_) {
        if (line->fnIsEditUnit()) ++level;
    }
    return level;
}

void COmrixEditUcw::sbSetNext(COmrixEditUcw* obNewNext) {
    if (obNewNext == nullptr || obNewNext == this) return;
    obNewNext->sbIsolate();
    if (next_ != nullptr) {
        next_->prev_ = obNewNext;
        obNewNext->next_ = next_;
    }
    next_ = obNewNext;
    obNewNext->prev_ = this;
    obNewNext->parent_ = parent_;
}

void COmrixEditUcw::sbSetPrev(COmrixEditUcw* obNewPrev, COmrixEditUcw** obRoot) {
    if (obNewPrev == nullptr || obNewPrev == this) return;
    obNewPrev->sbIsolate();
    if (prev_ != nullptr) {
        prev_->next_ = obNewPrev;
        obNewPrev->prev_ = prev_;
    } else if (parent_ != nullptr) {
        parent_->topChild_ = obNewPrev;
    } else if (obRoot != nullptr) {
        *obRoot = obNewPrev;
    }
    prev_ = obNewPrev;
    obNewPrev->next_ = this;
    obNewPrev->parent_ = parent_;
}

void COmrixEditUcw::sbAddChild(COmrixEditUcw* obNewChild, int32_t lIndex, bool bPrev) {
    if (obNewChild == nullptr || obNewChild == this) return;
    obNewChild->sbIsolate();
    if (COmrixEditUcw* child = fnGetChild(lIndex); child != nullptr) {
        if (bPrev) {
            child->sbSetPrev(obNewChild);
        } else {
            child->sbSetNext(obNewChild);
        }
    } else if (topChild_ != nullptr) {
        fnGetLastChild()->sbSetNext(obNewChild);
    } else {
        topChild_ = obNewChild;
        obNewChild->parent_ = this;
    }
}

void COmrixEditUcw::sbSetParent(COmrixEditUcw* obParent, int32_t lIndex, bool bPrev) {
    sbIsolate();
    if (obParent != nullptr) obParent->sbAddChild(this, lIndex, bPrev);
}

void COmrixEditUcw::sbRefreshLower(COmrixEditUcw* obNewTopChild) {
    topChild_ = obNewTopChild;
    for (COmrixEditUcw* line = obNewTopChild; line != nullptr; line = line->next_) {
        line->parent_ = this;
    }
}

void COmrixEditUcw::sbIsolate(COmrixEditUcw** obRoot) {
    if (parent_ != nullptr && parent_->topChild_ == this) parent_->topChild_ = next_;
    if (parent_ == nullptr && prev_ == nullptr && obRoot != nullptr) *obRoot = next_;
    if (prev_ != nullptr) prev_->next_ = next_;
    if (next_ != nullptr) next_->prev_ = prev_;
    parent_ = prev_ = next_ = nullptr;
}

void COmrixEditUcw::sbOwnIsolate(COmrixEditUcw** obRoot) {
    if (topChild_ == nullptr) {
        sbIsolate(obRoot);
        return;
    }
    COmrixEditUcw* first = topChild_;
    COmrixEditUcw* last = fnGetLastChild();
    for (COmrixEditUcw* child = first; child != nullptr; child = child->next_) {
        child->parent_ = parent_;
    }
    first->prev_ = prev_;
    if (prev_ != nullptr) {
        prev_->next_ = first;
    } else if (parent_ != nullptr) {
        parent_->topChild_ = first;
    } else if (obRoot != nullptr) {
        *obRoot = first;
    }
    last->next_ = next_;
    if (next_ != nullptr) next_->prev_ = last;
    parent_ = prev_ = next_ = topChild_ = nullptr;
}

}  // namespace omrix::breakdown
