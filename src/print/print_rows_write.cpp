#include "print/print_rows_write.h"

#include <string_view>

#include "data/database.h"
#include "platform/messages.h"
#include "print/print_progress.h"
#include "print/print_row_table.h"
#include "context/app_context.h"

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

// The transaction is rolled back on the way out of a failure, before the caller
// shows its message: no lock is held while the user reads it.
bool replacePrintRows(const PrintRows& rows, PrintProgress* progress, std::string_view& failed) {
    failed = kClearStep;
    const auto db = context::appContext().Database;
    if (!db) return false;
    data::Transaction transaction(*db);
    if (!transaction.begun() || !ClearPrintRows(context::appContext().UchiwakeNameID)) {
        return false;
    }
    failed = kInsertStep;
    if (!rows.empty()) {
        showProgress(progress, rows.size());
        InsertProgress insertProgress;
        if (progress != nullptr) {
            insertProgress.bar = &progress->bar();
            insertProgress.doEvents = [progress] { progress->doEvents(); };
        }
        if (!InsertPrintRows(rows, false, insertProgress)) return false;
        hidePrintProgress(progress);
    }
    // A refused commit is undone by the data layer and reported like a refused insert.
    return transaction.commit();
}

}  // namespace

bool fnOmrix_Print_Print_CreatePrintUchiwakeInf(const PrintRows& rows, PrintProgress* progress) {
    std::string_view failed;
    if (replacePrintRows(rows, progress, failed)) return true;
    platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, failed, "",
                                     "fnOmrix_Print_Print_CreatePrintUchiwakeInf");
    hidePrintProgress(progress);
    return false;
}

}  // namespace omrix::print
