// The trace path resolver on any RECORDSET_LOGFILE value: the file it opens is always
// inside the trace folder.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "data/core/trace_file.h"

namespace {

// A folder per process, with a link out of it, as a hostile INI folder could hold.
const std::string& traceFolder() {
    static const std::string path = [] {
        std::string pattern = "/tmp/omrix-fuzz-trace-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) return std::string();
        std::filesystem::create_directory(pattern + "/sub");
        std::error_code ignored;
        std::filesystem::create_directory_symlink("/tmp", pattern + "/out", ignored);
        return pattern;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    if (name.find('\0') != std::string::npos || traceFolder().empty()) return 0;
    const std::string relative = omrix::data::traceRelativePath(name, "\\DBS_DATABASE.LOG");
    const std::filesystem::path path(relative);
    if (relative.empty() || path.is_absolute() || *path.begin() == "..") __builtin_trap();
    std::string cause;
    const int fd = omrix::data::openTraceFile(traceFolder(), relative, cause);
    if (fd < 0) {
        if (cause.empty()) __builtin_trap();
        return 0;
    }
    // The file opened lies in the folder, whatever the name and the links there.
    const std::string opened =
        std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)).string();
    ::close(fd);
    if (opened.rfind(traceFolder() + "/", 0) != 0) __builtin_trap();
    std::filesystem::remove(opened);
    return 0;
}
