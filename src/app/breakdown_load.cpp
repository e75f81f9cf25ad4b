#include "app/breakdown_load.h"

#include <chrono>

#include "breakdown/tables/progress_bar.h"
#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/program_values.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "context/app_context.h"
#include "data/core/database.h"

namespace omrix::app {
namespace {

constexpr auto kPollEvery = std::chrono::milliseconds(15);

// The count of the select, kept for the thread that waits.
class SharedCount : public util::Progress {
  public:
    SharedCount(std::atomic<int64_t>& done, std::atomic<int64_t>& total)
        : done_(done), total_(total) {}
    bool advance(int64_t done, int64_t total) override {
        total_.store(total);
        done_.store(done);
        return true;
    }

  private:
    std::atomic<int64_t>& done_;
    std::atomic<int64_t>& total_;
};

}  // namespace

BreakdownLoad::BreakdownLoad(std::unique_ptr<data::CCCDBS_DataBase> db, int32_t uchiwakeNameId,
                             std::vector<records::BukkenHensuRec> variables,
                             std::shared_ptr<breakdown::COmrixEditUcw> outline)
    : db_(std::move(db)), outline_(std::move(outline)) {
    thread_ = std::thread(&BreakdownLoad::run, this, uchiwakeNameId, std::move(variables));
}

BreakdownLoad::~BreakdownLoad() {
    if (thread_.joinable()) thread_.join();
}

void BreakdownLoad::run(int32_t uchiwakeNameId, std::vector<records::BukkenHensuRec> variables) {
    Outcome outcome;
    {
        platform::ThreadMessageCapture messages;
        breakdown::ThreadOverflowCapture overflows(outcome.overflows);
        SharedCount count(done_, total_);
        breakdown::ProgressBar bar(&count);
        outcome.root = breakdown::loadUchiwake(*db_, uchiwakeNameId, &bar);
        if (outcome.root) outcome.root->sbMoneyReCalc(variables);
        outcome.messages = messages.take();
        outcome.variables = std::move(variables);
    }
    db_->fnClose();
    db_.reset();
    {
        std::lock_guard lock(mutex_);
        outcome_ = std::move(outcome);
    }
    ended_.store(true);
}

void BreakdownLoad::wait(util::Progress* progress) {
    while (!ended()) {
        // Before the lines are counted, a total of 0 shows a busy bar.
        if (progress != nullptr) progress->advance(done_.load(), total_.load());
        std::this_thread::sleep_for(kPollEvery);
    }
    if (thread_.joinable()) thread_.join();
}

BreakdownLoad::Outcome BreakdownLoad::take() {
    std::lock_guard lock(mutex_);
    return std::move(outcome_);
}

std::unique_ptr<data::CCCDBS_DataBase> openLoadConnection(const data::CCCDBS_DataBase& program,
                                                          const std::string& iniPath) {
    auto db = std::make_unique<data::CCCDBS_DataBase>();
    const bool opened = data::isEmbeddedServer(program.psServerName())
                            ? db->fnOpen("sqlite", program.psDataBaseName(), program.psUserName(),
                                         program.psPassWord(), 1)
                            : db->fnOpenFromIni(iniPath);
    if (!opened) return nullptr;
    return db;
}

void showBreakdownLoadFailure() {
    // The loader reports nothing itself; without a root there is nothing to print.
    platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "内訳の取得", "", "");
}

bool finishBreakdownLoad(BreakdownLoad& load, util::Progress* progress) {
    load.wait(progress);
    util::hideProgress(progress);
    BreakdownLoad::Outcome outcome = load.take();
    platform::showKeptMessages(outcome.messages);
    auto& context = context::appContext();
    if (!outcome.root) {
        showBreakdownLoadFailure();
        return false;
    }
    context.UchiwakeRoot = std::move(outcome.root);
    context.BukkenHensu = std::move(outcome.variables);
    for (std::string& overflow : outcome.overflows)
        context.AmountOverflows.push_back(std::move(overflow));
    return true;
}

}  // namespace omrix::app
