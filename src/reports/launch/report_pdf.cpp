// Report::writePdf: the pages of a PDF painted on several threads at once.
#include <sched.h>
#include <stdlib.h>
#include <unistd.h>

#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

#include "reports/engine/pdf_join.h"
#include "reports/launch/report.h"

namespace omrix::reports {
namespace {

using Stop = Report::PagesPainted::Stop;

// Pages read with one query for a painting thread, and how many such reads may wait
// for it: a thread never waits on the reader, and memory stays a few pages a thread.
constexpr int kPagesPerBatch = 32;
constexpr std::size_t kBatchesAhead = 2;
// The count of pages painted is told at least this often (and at each batch read).
constexpr std::chrono::milliseconds kProgressEvery{100};
// A thread costs a PDF of its own (its fonts embedded again): not worth it for a few pages.
constexpr int kLeastPagesPerThread = 16;

int coresAvailable() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// A temporary file for each thread's PDF, removed however the painting ends.
class PartFiles {
  public:
    explicit PartFiles(int count) {
        const std::string folder = std::filesystem::temp_directory_path().string();
        for (int i = 0; i < count; ++i) {
            std::string path = folder + "/omrix-print-XXXXXX.pdf";
            const int fd = ::mkstemps(path.data(), 4);
            if (fd < 0) return;
            ::close(fd);
            paths_.push_back(std::move(path));
        }
    }
    ~PartFiles() {
        for (const std::string& path : paths_) ::unlink(path.c_str());
    }
    PartFiles(const PartFiles&) = delete;
    PartFiles& operator=(const PartFiles&) = delete;

    std::size_t count() const { return paths_.size(); }
    const std::string& path(std::size_t i) const { return paths_[i]; }

  private:
    std::vector<std::string> paths_;
};

struct Batch {
    int first = 0;
    int count = 0;
    std::shared_ptr<const ReportDocument::PagesRead> read;
};

// One thread's run of pages and what passes between it and the calling thread.
struct Run {
    int first = 0, last = 0;
    int nextRead = 0;           // the first page not yet read for it
    std::deque<Batch> batches;  // read, not yet painted
    int painted = 0;
    bool finished = false;
    Report::PagesPainted result;
    PaintWarnings warnings;
};

}  // namespace

// The painting threads and the calling thread's part: reading ahead, progress, joining.
class PdfPainting {
  public:
    PdfPainting(const Report& report, int threads, util::Progress* progress)
        : report_(report), progress_(progress), pages_(report.pageCount()) {
        const int count = std::clamp(pages_ / kLeastPagesPerThread, 1, threads);
        for (int i = 0; i < count; ++i) {
            Run& run = runs_.emplace_back();
            run.first = 1 + static_cast<int>(static_cast<long>(pages_) * i / count);
            run.last = static_cast<int>(static_cast<long>(pages_) * (i + 1) / count);
            run.nextRead = run.first;
        }
    }

    std::size_t threads() const { return runs_.size(); }

    Report::PagesPainted run(QIODevice& out) {
        PartFiles parts(static_cast<int>(runs_.size()));
        if (parts.count() != runs_.size())
            return {Stop::Begin, 1, "no temporary file for the pages can be made"};
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < runs_.size(); ++i)
            threads.emplace_back([this, i, &parts] { paint(runs_[i], parts.path(i)); });
        PdfJoin join([&out](std::string_view bytes) {
            return out.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                   static_cast<qint64>(bytes.size());
        });
        Report::PagesPainted result = drive(join, parts);
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : threads) thread.join();
        PaintWarnings warnings;
        for (Run& run : runs_) warnings.merge(run.warnings);
        report_.warn(warnings);
        if (!result.ok()) return result;
        if (util::Status finished = join.finish(); !finished)
            return {Stop::End, pages_, finished.failure().text()};
        return result;
    }

  private:
    // On the calling thread until every run is joined or one stopped.
    Report::PagesPainted drive(PdfJoin& join, const PartFiles& parts) {
        std::unique_lock lock(mutex_);
        std::size_t joined = 0;
        int shown = 0;
        while (joined < runs_.size()) {
            const long seen = changes_;
            if (Report::PagesPainted stop = readAhead(lock); !stop.ok()) return stop;
            int painted = 0;
            for (const Run& run : runs_) {
                painted += run.painted;
                if (run.finished && !run.result.ok()) return run.result;
            }
            if (painted != shown) {
                shown = painted;
                lock.unlock();
                const bool go = progress_ == nullptr || progress_->advance(painted, pages_);
                lock.lock();
                if (!go) return {Stop::Cancelled, painted, {}};
            }
            while (joined < runs_.size() && runs_[joined].finished) {
                lock.unlock();
                util::Status appended = join.append(parts.path(joined));
                lock.lock();
                if (!appended) return {Stop::End, runs_[joined].first, appended.failure().text()};
                ++joined;
            }
            if (joined < runs_.size())
                changed_.wait_for(lock, kProgressEvery, [&] { return changes_ != seen; });
        }
        // The last pages may have been joined before their count was told.
        if (shown != pages_ && progress_ != nullptr) {
            lock.unlock();
            if (!progress_->advance(pages_, pages_)) return {Stop::Cancelled, pages_, {}};
        }
        return {};
    }

    // Reads for each run that has room for another batch; not for documents in memory.
    Report::PagesPainted readAhead(std::unique_lock<std::mutex>& lock) {
        const ReportDocument& document = *report_.document_;
        const bool onDemand = document.readsOnDemand();
        for (Run& run : runs_) {
            while (run.nextRead <= run.last && run.batches.size() < kBatchesAhead) {
                const int first = run.nextRead;
                const int count = onDemand ? std::min(kPagesPerBatch, run.last - first + 1)
                                           : run.last - first + 1;
                lock.unlock();
                auto read = document.readAhead(first, count);
                lock.lock();
                if (!read) return {Stop::Read, first, read.failure().text()};
                run.batches.push_back({first, count, std::move(*read)});
                run.nextRead += count;
                changed_.notify_all();
            }
        }
        return {};
    }

    // On a thread of its own: the run's pages into a PDF at `path`.
    void paint(Run& run, const std::string& path) {
        Report::PagesPainted result;
        PaintWarnings warnings;
        {
            QPdfWriter writer(QString::fromStdString(path));
            QPainter painter;
            if (!report_.setUpPdf(writer) || !painter.begin(&writer)) {
                result = {Stop::Begin, run.first, {}};
            } else {
                const QRectF whole(0, 0, writer.width(), writer.height());
                PagePainter::Cache cache;
                Batch batch;
                for (int page = run.first; page <= run.last && result.ok(); ++page) {
                    if (page >= batch.first + batch.count && !nextBatch(run, batch)) break;
                    if (page > run.first && !writer.newPage()) {
                        result = {Stop::NewPage, page, {}};
                        break;
                    }
                    report_.paintOnto(painter, page, whole, batch.read.get(), warnings, &cache);
                    // The calling thread learns the count when it next wakes: waking it
                    // for every page cost a switch of threads a page.
                    bool stopped = false;
                    {
                        std::lock_guard lock(mutex_);
                        ++run.painted;
                        stopped = stop_;
                    }
                    if (stopped) break;
                }
                if (!painter.end() && result.ok()) result = {Stop::End, run.last, {}};
            }
        }
        {
            std::lock_guard lock(mutex_);
            run.result = std::move(result);
            run.warnings = std::move(warnings);
            run.finished = true;
            ++changes_;
        }
        changed_.notify_all();
    }

    // The next batch read for the run; false when the painting stops first.
    bool nextBatch(Run& run, Batch& batch) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stop_ || !run.batches.empty(); });
        if (stop_) return false;
        batch = std::move(run.batches.front());
        run.batches.pop_front();
        ++changes_;
        lock.unlock();
        changed_.notify_all();
        return true;
    }

    const Report& report_;
    util::Progress* progress_;
    const int pages_;
    std::deque<Run> runs_;
    std::mutex mutex_;
    std::condition_variable changed_;
    long changes_ = 0;
    bool stop_ = false;
};

Report::PagesPainted Report::writePdf(QIODevice& out, int threads, util::Progress* progress) const {
    if (threads <= 0) threads = coresAvailable();
    if (document_ && threads > 1) {
        PdfPainting painting(*this, threads, progress);
        if (painting.threads() > 1) return painting.run(out);
    }
    QPdfWriter writer(&out);
    if (!setUpPdf(writer)) return {Stop::Begin, 1, "the PDF writer does not take the paper"};
    return paintPages(writer, {}, progress);
}

}  // namespace omrix::reports
