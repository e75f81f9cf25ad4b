#include "print/page_name_rows.h"

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tables/omrix_dbt_uchiwake.h"
#include "data/core/database.h"
#include "data/core/failure_cause.h"
#include "level_tree/level_tree_model.h"
#include "platform/messages.h"
#include "util/numbers.h"

namespace omrix::print {
namespace {

constexpr std::string_view kNoOwnNode = "-1";

int32_t topLevelNode(const level_tree::LevelTreeModel& tree, int32_t index) {
    while (index != 0 && tree.node(index).parent != 0) index = tree.node(index).parent;
    return index;
}

void reportWriteFailure(const data::CCCDBS_DataBase* db) {
    platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "内訳の書き込み", "",
                                     "Cmd_Print_Click");
    data::showFailureCause(db);
}

}  // namespace

void PageNameRows::fnCollectPageNameRows(const level_tree::LevelTreeModel& tree, bool bTickedOnly) {
    rows_.clear();
    breakdown::COmrixEditUcw* root = source_.root;
    const int32_t top = topLevelNode(tree, tree.selectedNode());
    if (top == 0 || root == nullptr) return;
    for (int32_t i = tree.node(top).firstChild; i != 0; i = tree.node(i).next) {
        const level_tree::LevelNode& child = tree.node(i);
        if (child.tag == kNoOwnNode || (bTickedOnly && !child.checked)) continue;
        breakdown::COmrixEditUcw* row = root->fnGetIDTarget(util::fnCLngTextOr(child.tag, 0), true);
        if (row != nullptr) rows_.push_back(row);
    }
}

PageNameGridRow PageNameRows::gridRow(int32_t index) const {
    const breakdown::UchiwakeRec& rec = rows_.at(static_cast<std::size_t>(index))->prUchiwakeRec();
    return {std::string(rec.表示番号名称.trimmedRight()), std::string(rec.名称２.trimmedRight()),
            std::string(rec.頁名称.trimmedRight())};
}

bool PageNameRows::write(std::span<const std::string> pageNames) {
    data::CCCDBS_DataBase* database = source_.db;
    if (database == nullptr) {
        reportWriteFailure(nullptr);
        return false;
    }
    data::Transaction transaction(*database);
    if (!transaction.begun()) {
        reportWriteFailure(database);
        return false;
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        breakdown::UchiwakeRec rec = rows_[i]->prUchiwakeRec();
        if (i < pageNames.size()) rec.頁名称 = pageNames[i];
        rows_[i]->prUchiwakeRec(rec);
        if (!breakdown::fnOmrix_DBT_Uchiwake_Update(*database, rec, false)) {
            // The message comes before the rollback, which the transaction's end does.
            reportWriteFailure(database);
            return false;
        }
    }
    if (transaction.commit()) return true;
    reportWriteFailure(database);
    return false;
}

}  // namespace omrix::print
