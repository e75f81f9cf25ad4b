#pragma once
// A save (PDF or workbook) run on a thread of its own, so that the window that started
// it keeps painting and paging. The thread writes from a copy of the report loaded
// afresh over a connection of its own: a connection serves one thread, and the window
// keeps painting from the report it shows. The file is written aside and renamed into
// place only when whole (util::PartFile); a stopped or failed save leaves what stood there.

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "reports/launch/report.h"

namespace omrix::reports {

class BackgroundSave {
  public:
    // Writes `report` to `path` (the part file), telling each page written. Runs on the
    // save's thread.
    using Job = std::function<util::Status(Report& report, const std::string& path,
                                           util::Progress& progress)>;

    BackgroundSave() = default;
    // Stops a save still running and waits for its thread.
    ~BackgroundSave();
    BackgroundSave(const BackgroundSave&) = delete;
    BackgroundSave& operator=(const BackgroundSave&) = delete;

    // Loads the copy of `report` here, then starts `job` on it towards `finalPath`.
    // Fails when the copy cannot be loaded.
    util::Status start(const Report& report, const std::string& finalPath, Job job);
    // 中止: the job's progress says stop at its next page.
    void stop();
    // Waits for the thread (tests, and before a window goes).
    void wait();

    struct State {
        int done = 0, total = 0;
        bool running = false;
        bool ok = false;       // once ended: the file is in place
        bool stopped = false;  // once ended: 中止 ended it
        std::string error;     // once ended without the file, and not stopped
    };
    State state() const;

  private:
    mutable std::mutex mutex_;
    State state_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace omrix::reports
