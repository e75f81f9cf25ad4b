#pragma once
// The output folder of one export run: made once start-up has succeeded, locked from
// the first removal to the last rename, and cleared of every previous run's files.

#include <string>
#include <string_view>
#include <vector>

namespace omrix::apps {

// The file in --out that runs lock; it stays, so that no run ever locks a file another
// run has just unlinked.
inline constexpr std::string_view kExportLockName = ".omrix-print-export.lock";

class OutFolderLock {
  public:
    OutFolderLock() = default;
    ~OutFolderLock();
    OutFolderLock(const OutFolderLock&) = delete;
    OutFolderLock& operator=(const OutFolderLock&) = delete;

    // Takes the folder's lock without waiting; false with one line on standard error
    // ("another export is writing to <folder>" when a run holds it).
    bool acquire(const std::string& folder);
    bool held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

// Makes the folder when missing; false with one line on standard error.
bool makeOutFolder(const std::string& folder);

// Removes every file of `names` (with all its part files) from the folder; false with
// one line on standard error at the first that cannot go.
bool removePreviousOutputs(const std::string& folder, const std::vector<std::string>& names);

}  // namespace omrix::apps
