#include "export_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "util/part_file.h"

namespace omrix::apps {
namespace {

namespace fs = std::filesystem;

bool removeFile(const fs::path& path) {
    std::error_code error;
    fs::remove(path, error);
    if (!error) return true;
    std::fprintf(stderr, "cannot remove the previous %s: %s\n", path.c_str(),
                 error.message().c_str());
    return false;
}

}  // namespace

OutFolderLock::~OutFolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool OutFolderLock::acquire(const std::string& folder) {
    if (fd_ >= 0) return true;
    const std::string path = (fs::path(folder) / kExportLockName).string();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "cannot write to the output folder %s: %s\n", folder.c_str(),
                     std::strerror(errno));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int cause = errno;
        ::close(fd);
        if (cause == EWOULDBLOCK) {
            std::fprintf(stderr, "another export is writing to %s\n", folder.c_str());
        } else {
            std::fprintf(stderr, "cannot lock the output folder %s: %s\n", folder.c_str(),
                         std::strerror(cause));
        }
        return false;
    }
    fd_ = fd;
    return true;
}

bool makeOutFolder(const std::string& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) fs::create_directories(folder, error);
    if (!error && fs::is_directory(folder, error)) return true;
    std::fprintf(stderr, "cannot create the output folder %s: %s\n", folder.c_str(),
                 error ? error.message().c_str() : "not a folder");
    return false;
}

bool removePreviousOutputs(const std::string& folder, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (!removeFile(fs::path(folder) / name)) return false;
    }
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        for (const std::string& output : names) {
            if (util::isPartFileOf(name, output) && !removeFile(entry.path())) return false;
        }
    }
    if (!error) return true;
    std::fprintf(stderr, "cannot read the output folder %s: %s\n", folder.c_str(),
                 error.message().c_str());
    return false;
}

}  // namespace omrix::apps
