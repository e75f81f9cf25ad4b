#include "print/print_row_table.h"

#include <cmath>
#include <string>

#include "breakdown/tables/progress_bar.h"
#include "data/core/database.h"
#include "data/core/program_database.h"
#include "data/tables/record_conventions.h"

namespace omrix::print {
namespace {

// The bar is advanced in single precision and stops short of its maximum, so that a
// full bar only ever means "done".
void advance(breakdown::ProgressBar& bar, double step) {
    const float next = static_cast<float>(bar.value()) + static_cast<float>(step);
    if (static_cast<float>(bar.maximum()) > next) {
        bar.setValue(static_cast<int32_t>(std::nearbyint(next)));
    }
}

}  // namespace

bool ClearPrintRows(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId) {
    std::string sql = "Delete From 内訳出力  Where 削除区分 = '0' And (内訳名称ＩＤ = ";
    sql += std::to_string(uchiwakeNameId);
    sql += ");";
    return db.fnExecute(sql);
}

bool ClearPrintRows(int32_t uchiwakeNameId) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    return db && ClearPrintRows(*db, uchiwakeNameId);
}

bool sendPrintRowBatches(const PrintRows& rows, const ExecuteText& execute,
                         const InsertProgress& progress) {
    if (rows.empty()) return true;
    const std::string audit = data::fnAuditInsertValues();
    std::string pending;
    int inBatch = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (inBatch == 0) {
            pending.clear();
            pending.reserve(data::kStatementsPerCommand * 2600);
        }
        appendPrintRowInsert(pending, rows[i], audit);
        pending += "\r\n";
        if (progress.bar) advance(*progress.bar, progress.step);
        if (progress.shown != nullptr) progress.shown->idle();
        ++inBatch;
        if (inBatch == data::kStatementsPerCommand || i + 1 == rows.size()) {
            if (!execute(pending)) return false;
            inBatch = 0;
        }
    }
    return true;
}

bool InsertPrintRows(data::CCCDBS_DataBase& db, const PrintRows& rows, bool ownTransaction,
                     const InsertProgress& progress) {
    data::Transaction transaction(db, ownTransaction);
    if (!transaction.begun()) return false;
    const bool sent = sendPrintRowBatches(
        rows, [&db](std::string_view sql) { return db.fnExecute(sql); }, progress);
    return sent && transaction.commit();
}

bool InsertPrintRows(const PrintRows& rows, bool ownTransaction, const InsertProgress& progress) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    return db && InsertPrintRows(*db, rows, ownTransaction, progress);
}

}  // namespace omrix::print
