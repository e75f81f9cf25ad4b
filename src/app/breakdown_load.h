#pragma once
// The whole breakdown loaded and recalculated on a thread of its own, while the main
// window already shows the level tree from the outline. The thread owns a connection
// of its own until it ends (a connection serves one thread; the window's forms keep
// the program's). What the load would have shown is kept and shown on the window's
// thread when the load is finished there, so a failure reads as the start-up's own.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/messages.h"
#include "records/bukken_hensu_record.h"
#include "util/progress.h"

namespace omrix::breakdown {
class COmrixEditUcw;
}
namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::app {

class BreakdownLoad {
  public:
    // Starts loading the breakdown of `uchiwakeNameId` over `db` and recalculating it
    // with the project's variables. `outline` is what the level tree is built from.
    BreakdownLoad(std::unique_ptr<data::CCCDBS_DataBase> db, int32_t uchiwakeNameId,
                  std::vector<records::BukkenHensuRec> variables,
                  std::shared_ptr<breakdown::COmrixEditUcw> outline);
    // Waits for the thread: a load cut off half-way would leave its connection open.
    ~BreakdownLoad();
    BreakdownLoad(const BreakdownLoad&) = delete;
    BreakdownLoad& operator=(const BreakdownLoad&) = delete;

    breakdown::COmrixEditUcw* outline() const { return outline_.get(); }
    bool ended() const { return ended_.load(); }
    // Blocks until the thread ends, showing the lines read on `progress` (may be null)
    // and letting its window paint.
    void wait(util::Progress* progress);

    // Once ended: the root, null when the load failed, and what it would have shown.
    struct Outcome {
        std::shared_ptr<breakdown::COmrixEditUcw> root;
        std::vector<platform::ShownMessage> messages;
        std::vector<std::string> overflows;
        // The variables as the recalculation left them (their names trimmed).
        std::vector<records::BukkenHensuRec> variables;
    };
    Outcome take();

  private:
    void run(int32_t uchiwakeNameId, std::vector<records::BukkenHensuRec> variables);

    std::unique_ptr<data::CCCDBS_DataBase> db_;
    std::shared_ptr<breakdown::COmrixEditUcw> outline_;
    std::atomic<int64_t> done_{0};
    std::atomic<int64_t> total_{0};
    std::atomic<bool> ended_{false};
    std::mutex mutex_;
    Outcome outcome_;
    std::thread thread_;
};

// A connection of its own to the program's database, for the load's thread; null
// when it cannot be opened (the load then runs on the program's connection).
std::unique_ptr<data::CCCDBS_DataBase> openLoadConnection(const data::CCCDBS_DataBase& program,
                                                          const std::string& iniPath);

// Message 3010 内訳の取得: the breakdown could not be loaded.
void showBreakdownLoadFailure();

// Finishes a background load on the window's thread: waits for it, shows what it
// kept, and puts the recalculated tree into AppContext.UchiwakeRoot. A failed load
// shows message 3010 内訳の取得, as start-up does, and returns false: start-up would
// have ended there.
bool finishBreakdownLoad(BreakdownLoad& load, util::Progress* progress = nullptr);

}  // namespace omrix::app
