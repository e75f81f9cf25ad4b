#include "breakdown/tree/ucw_tree.h"

namespace omrix::breakdown {

UcwTree::~UcwTree() = default;

std::shared_ptr<UcwTree> UcwTree::create() {
    return std::make_shared<UcwTree>(Key{});
}

COmrixEditUcw* UcwTree::newLine() {
    UchiwakeRec& rec = ownRecords_.emplace_back();
    sbOmrix_DBT_Uchiwake_Clear(rec);
    return &lines_.emplace_back(UcwLineKey{}, this, &rec);
}

COmrixEditUcw* UcwTree::newLine(const UchiwakeRec& source) {
    UchiwakeRec& rec = ownRecords_.emplace_back(source);
    return &lines_.emplace_back(UcwLineKey{}, this, &rec);
}

COmrixEditUcw* UcwTree::newLineOnRow(UchiwakeRec& row) {
    return &lines_.emplace_back(UcwLineKey{}, this, &row);
}

void UcwTree::adoptRows(UchiwakeRows&& rows) {
    // Moving the rows keeps their blocks, so the lines made on them stay valid.
    loadedRows_.push_back(std::move(rows));
}

COmrixEditUcw* UcwTree::copyChain(const COmrixEditUcw* first) {
    // Level by level through a work list, so that deep trees need no deep stack.
    struct Pending {
        const COmrixEditUcw* sourceFirst;
        COmrixEditUcw* copyParent;
    };
    auto copyLevel = [this](const COmrixEditUcw* source, std::vector<Pending>& pending) {
        COmrixEditUcw* top = nullptr;
        COmrixEditUcw* prev = nullptr;
        for (; source != nullptr; source = source->fnGetNext()) {
            COmrixEditUcw* copy = newLine(source->prUchiwakeRec());
            if (prev != nullptr) {
                prev->sbSetNext(copy);
            } else {
                top = copy;
            }
            prev = copy;
            if (source->fnGetTopChild() != nullptr) {
                pending.push_back({source->fnGetTopChild(), copy});
            }
        }
        return top;
    };
    std::vector<Pending> pending;
    COmrixEditUcw* result = copyLevel(first, pending);
    while (!pending.empty()) {
        Pending next = pending.back();
        pending.pop_back();
        next.copyParent->sbRefreshLower(copyLevel(next.sourceFirst, pending));
    }
    return result;
}

std::shared_ptr<COmrixEditUcw> UcwTree::share(COmrixEditUcw* line) {
    if (line == nullptr) return nullptr;
    return std::shared_ptr<COmrixEditUcw>(shared_from_this(), line);
}

}  // namespace omrix::breakdown
