#include "print/print_rows_write.h"

#include <string_view>

#include "data/core/database.h"
#include "data/core/failure_cause.h"
#include "platform/messages.h"
#include "print/print_progress.h"
#include "print/print_row_table.h"
#include "print/print_source.h"

namespace omrix::print {
namespace {

constexpr std::string_view kClearStep = "内訳出力の削除";
constexpr std::string_view kInsertStep = "内訳出力の書き込み";
constexpr std::string_view kCaption = "内訳情報を書き込んでいます・・・";

void showProgress(PrintProgress* progress, std::size_t rowCount) {
    if (progress == nullptr) return;
    breakdown::ProgressBar& bar = progress->bar();
    bar.setValue(0);
    bar.setMaximum(static_cast<int32_t>(rowCount));
    bar.setVisible(true);
    progress->showCaption(kCaption);
}

// Message 3010 as the run has always shown it, then the cause the data layer gives
// (a lock held by another program, a read-only file, a full disk, a lost server
// connection) on its own line.
bool reportFailure(const data::CCCDBS_DataBase* db, std::string_view step,
                   PrintProgress* progress) {
    platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, step, "",
                                     "fnOmrix_Print_Print_CreatePrintUchiwakeInf");
    data::showFailureCause(db);
    hidePrintProgress(progress);
    return false;
}

}  // namespace

// A refused delete or insert is reported while the transaction is still open and
// rolled back after; a refused commit has been undone by the data layer already.
bool writePrintRows(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId, const PrintRows& rows,
                    PrintProgress* progress) {
    data::Transaction transaction(db);
    if (!transaction.begun() || !ClearPrintRows(db, uchiwakeNameId)) {
        return reportFailure(&db, kClearStep, progress);
    }
    if (!rows.empty()) {
        showProgress(progress, rows.size());
        InsertProgress insertProgress;
        if (progress != nullptr) {
            insertProgress.bar = &progress->bar();
            insertProgress.doEvents = [progress] { progress->doEvents(); };
        }
        if (!InsertPrintRows(db, rows, false, insertProgress)) {
            return reportFailure(&db, kInsertStep, progress);
        }
        hidePrintProgress(progress);
    }
    return transaction.commit() || reportFailure(&db, kInsertStep, progress);
}

bool fnOmrix_Print_Print_CreatePrintUchiwakeInf(const PrintRows& rows, PrintProgress* progress) {
    PrintSource source = printSourceFromContext();
    if (source.db == nullptr) return reportFailure(nullptr, kClearStep, progress);
    return writePrintRows(*source.db, source.uchiwakeNameId, rows, progress);
}

}  // namespace omrix::print
