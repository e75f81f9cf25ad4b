#include "reports/launch/background_save.h"

#include "util/part_file.h"

namespace omrix::reports {

BackgroundSave::~BackgroundSave() {
    stop();
    wait();
}

util::Status BackgroundSave::start(const Report& report, const std::string& finalPath, Job job) {
    wait();
    util::Result<std::unique_ptr<Report>> loaded = report.loadedCopy();
    if (!loaded) return loaded.failure();
    std::unique_ptr<Report> copy = std::move(*loaded);
    {
        std::lock_guard lock(mutex_);
        state_ = State{};
        state_.total = copy->pageCount();
        state_.running = true;
        stop_ = false;
    }
    thread_ = std::thread([this, copy = std::move(copy), finalPath, job = std::move(job)] {
        util::Status saved;
        {
            util::PartFile part(finalPath);
            util::ProgressFunction progress([this](int64_t done, int64_t total) {
                std::lock_guard lock(mutex_);
                state_.done = static_cast<int>(done);
                state_.total = static_cast<int>(total);
                return !stop_;
            });
            saved = job(*copy, part.path(), progress);
            if (saved) saved = part.commit();
        }
        std::lock_guard lock(mutex_);
        state_.running = false;
        state_.ok = saved.ok();
        state_.stopped = !saved && stop_;
        if (!saved && !stop_) state_.error = saved.failure().text();
    });
    return {};
}

void BackgroundSave::stop() {
    std::lock_guard lock(mutex_);
    stop_ = true;
}

void BackgroundSave::wait() {
    if (thread_.joinable()) thread_.join();
}

BackgroundSave::State BackgroundSave::state() const {
    std::lock_guard lock(mutex_);
    return state_;
}

}  // namespace omrix::reports
