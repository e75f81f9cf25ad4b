#include "util/bounded_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace omrix::util {
namespace {

std::string sizeText(std::size_t limit) {
    if (limit >= (std::size_t{1} << 20) && limit % (std::size_t{1} << 20) == 0)
        return std::to_string(limit >> 20) + " MiB";
    return std::to_string(limit) + " bytes";
}

}  // namespace

namespace {

FileRead readOpened(int fd, std::size_t limit, std::string& bytes);

FileRead readPath(const std::string& path, std::size_t limit, std::string& bytes, bool regular) {
    bytes.clear();
    struct stat info {};
    if (regular && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? FileRead::Failed : FileRead::NotRegular;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (regular ? O_NONBLOCK | O_NOCTTY : 0));
    if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? FileRead::Missing : FileRead::Failed;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || (regular && !S_ISREG(info.st_mode))) {
        ::close(fd);
        return regular && !S_ISDIR(info.st_mode) ? FileRead::NotRegular : FileRead::Failed;
    }
    return readOpened(fd, limit, bytes);
}

FileRead readOpened(int fd, std::size_t limit, std::string& bytes) {
    char buffer[8192];
    ssize_t n = 0;
    // Devices and pipes tell no size: the limit is checked as the bytes come.
    while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) {
            ::close(fd);
            bytes.clear();
            return FileRead::TooLarge;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return n == 0 ? FileRead::Ok : FileRead::Failed;
}

}  // namespace

FileRead readBoundedFile(const std::string& path, std::size_t limit, std::string& bytes) {
    return readPath(path, limit, bytes, false);
}

FileRead readRegularFile(const std::string& path, std::size_t limit, std::string& bytes) {
    return readPath(path, limit, bytes, true);
}

std::string describeFileRead(FileRead result, const std::string& path, std::size_t limit) {
    switch (result) {
        case FileRead::Ok:
            return {};
        case FileRead::Missing:
            return path + ": no such file";
        case FileRead::TooLarge:
            return path + " is larger than " + sizeText(limit);
        case FileRead::NotRegular:
            return path + " is not a regular file";
        case FileRead::Failed:
            break;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return path + " is a folder";
    return path + " cannot be read";
}

}  // namespace omrix::util
