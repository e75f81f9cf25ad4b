#include "util/part_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace omrix::util {

std::string partPathOf(std::string_view finalPath) {
    return std::string(finalPath) + "." + std::to_string(::getpid()) + std::string(kPartSuffix);
}

bool isPartFileOf(std::string_view name, std::string_view finalName) {
    if (!name.starts_with(finalName) || !name.ends_with(kPartSuffix)) return false;
    std::string_view middle =
        name.substr(finalName.size(), name.size() - finalName.size() - kPartSuffix.size());
    if (middle.empty()) return true;
    if (middle.front() != '.' || middle.size() == 1) return false;
    for (char c : middle.substr(1)) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

PartFile::PartFile(std::string finalPath)
    : final_(std::move(finalPath)), part_(partPathOf(final_)) {}

PartFile::~PartFile() {
    if (!done_) discard();
}

void PartFile::discard() {
    ::unlink(part_.c_str());
    done_ = true;
}

namespace {

// A rename alone can leave an empty file under the final name after a power loss:
// the data go to the disk first.
Status syncToDisk(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Failure("cannot be opened to finish it", std::strerror(errno));
    bool synced = ::fsync(fd) == 0;
    int saved = errno;
    ::close(fd);
    if (!synced) return Failure("cannot be written to the disk", std::strerror(saved));
    return {};
}

}  // namespace

Status PartFile::commit() {
    if (done_) return Failure("was already finished");
    Status finished = syncToDisk(part_);
    if (finished && std::rename(part_.c_str(), final_.c_str()) != 0)
        finished = Failure("cannot be renamed into place", std::strerror(errno));
    if (!finished) {
        discard();
        return finished;
    }
    done_ = true;
    return {};
}

}  // namespace omrix::util
