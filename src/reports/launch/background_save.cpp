#include "reports/launch/background_save.h"

#include "util/part_file.h"

namespace omrix::reports {

BackgroundSave::~BackgroundSave() {
    stop();
    wait();
}

bool BackgroundSave::start(const Report& report, const std::string& finalPath, Job job,
                           std::string& error) {
    wait();
    std::unique_ptr<Report> copy = report.loadedCopy(error);
    if (!copy) return false;
    {
        std::lock_guard lock(mutex_);
        state_ = State{};
        state_.total = copy->pageCount();
        state_.running = true;
        stop_ = false;
    }
    thread_ = std::thread([this, copy = std::move(copy), finalPath, job = std::move(job)] {
        std::string failure;
        bool ok = false;
        {
            util::PartFile part(finalPath);
            util::ProgressFunction progress([this](int64_t done, int64_t total) {
                std::lock_guard lock(mutex_);
                state_.done = static_cast<int>(done);
                state_.total = static_cast<int>(total);
                return !stop_;
            });
            ok = job(*copy, part.path(), progress, failure);
            if (util::Status committed = ok ? part.commit() : util::Status(); !committed) {
                failure = committed.failure().text();
                ok = false;
            }
        }
        std::lock_guard lock(mutex_);
        state_.running = false;
        state_.ok = ok;
        state_.stopped = !ok && stop_;
        if (!ok && !stop_) state_.error = failure;
    });
    return true;
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
