#include "print/print_rows_write.h"

#include <string_view>

#include "breakdown/tables/progress_bar.h"
#include "data/core/database.h"
#include "data/core/failure_cause.h"
#include "platform/messages.h"
#include "print/print_row_table.h"
#include "print/print_source.h"
#include "util/progress.h"

namespace omrix::print {
namespace {

constexpr std::string_view kClearStep = "内訳出力の削除";
constexpr std::string_view kInsertStep = "内訳出力の書き込み";
constexpr std::string_view kCaption = "内訳情報を書き込んでいます・・・";

void showProgress(util::Progress* progress, breakdown::ProgressBar& bar, std::size_t rowCount) {
    if (progress == nullptr) return;
    progress->showCaption(kCaption);
    bar.setValue(0);
    bar.setMaximum(static_cast<int32_t>(rowCount));
    bar.setVisible(true);
}

// Message 3010 as the run has always shown it, then the cause the data layer gives
// (a lock held by another program, a read-only file, a full disk, a lost server
// connection) on its own line.
bool reportFailure(const data::CCCDBS_DataBase* db, std::string_view step,
                   util::Progress* progress) {
    platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, step, "",
                                     "fnOmrix_Print_Print_CreatePrintUchiwakeInf");
    data::showFailureCause(db);
    util::hideProgress(progress);
    return false;
}

}  // namespace

PrintRowsWriter::PrintRowsWriter(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId) : db_(db) {
    cleared_ = std::async(std::launch::async, [this, uchiwakeNameId] {
        return transaction_.emplace(db_).begun() && ClearPrintRows(db_, uchiwakeNameId);
    });
}

PrintRowsWriter::~PrintRowsWriter() {
    if (cleared_.valid()) cleared_.wait();
}

// A refused delete or insert is reported while the transaction is still open and
// rolled back after; a refused commit has been undone by the data layer already.
bool PrintRowsWriter::finish(const PrintRows& rows, util::Progress* progress) {
    const bool cleared = cleared_.get();
    auto refused = [&](std::string_view step) {
        reportFailure(&db_, step, progress);
        transaction_.reset();
        return false;
    };
    if (!cleared) return refused(kClearStep);
    if (!rows.empty()) {
        breakdown::ProgressBar bar(progress);  // Prg_PrgBar
        showProgress(progress, bar, rows.size());
        const InsertProgress insertProgress{.bar = progress != nullptr ? &bar : nullptr,
                                            .shown = progress};
        if (!InsertPrintRows(db_, rows, false, insertProgress)) return refused(kInsertStep);
        util::hideProgress(progress);
    }
    return transaction_->commit() || refused(kInsertStep);
}

bool writePrintRows(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId, const PrintRows& rows,
                    util::Progress* progress) {
    PrintRowsWriter writer(db, uchiwakeNameId);
    return writer.finish(rows, progress);
}

bool fnOmrix_Print_Print_CreatePrintUchiwakeInf(const PrintRows& rows, util::Progress* progress) {
    PrintSource source = printSourceFromContext();
    if (source.db == nullptr) return reportFailure(nullptr, kClearStep, progress);
    return writePrintRows(*source.db, source.uchiwakeNameId, rows, progress);
}

}  // namespace omrix::print
