#include "data/core/trace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace omrix::data {
namespace {

namespace fs = std::filesystem;

constexpr mode_t kTraceMode = 0600;

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    int release() { return std::exchange(fd, -1); }
};

std::string systemCause() {
    return errno == ELOOP ? "a symbolic link in the path" : std::strerror(errno);
}

}  // namespace

std::string traceRelativePath(std::string_view name, std::string_view fallback) {
    std::string relative(name);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    fs::path path = fs::path(relative).relative_path().lexically_normal();
    if (path.empty() || *path.begin() == ".." || path.filename().empty() ||
        path.filename() == "." || path.filename() == "..") {
        return fallback.empty() ? std::string() : traceRelativePath(fallback, {});
    }
    return path.string();
}

int openTraceFile(const std::string& folder, const std::string& relative, std::string& cause) {
    Descriptor dir{
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd < 0) {
        cause = systemCause();
        return -1;
    }
    const fs::path path(relative);
    const std::string name = path.filename().string();
    for (const fs::path& part : path.parent_path()) {
        const int next =
            ::openat(dir.fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            cause = systemCause();
            return -1;
        }
        ::close(dir.fd);
        dir.fd = next;
    }
    // Non-blocking: a named pipe in the file's place must not hang the program.
    Descriptor file{::openat(dir.fd, name.c_str(),
                             O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                             kTraceMode)};
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0) {
        cause = systemCause();
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        cause = "not a regular file";
        return -1;
    }
    // A hard link would let the trace append into a file elsewhere.
    if (info.st_nlink > 1) {
        cause = "a file with more than one link";
        return -1;
    }
    if ((info.st_mode & 07777) != kTraceMode && ::fchmod(file.fd, kTraceMode) != 0) {
        cause = systemCause();
        return -1;
    }
    return file.release();
}

}  // namespace omrix::data
