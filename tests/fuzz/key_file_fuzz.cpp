// The password key-file reader on any bytes in a file of its own (mode 0600).
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/password.h"

namespace {

// One file per process, rewritten for every input.
const std::string& keyFile() {
    static const std::string path = [] {
        std::string pattern = "/tmp/omrix-fuzz-key-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd >= 0) ::close(fd);
        return pattern;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int fd = ::open(keyFile().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return 0;
    const bool written = ::write(fd, data, size) == static_cast<ssize_t>(size);
    ::fchmod(fd, 0600);
    ::close(fd);
    if (!written) return 0;
    const auto key = omrix::platform::readPasswordKey(keyFile());
    // A key read is always whole; a refusal always says why and names the file.
    if (key && key->size() != 32) __builtin_trap();
    if (!key && key.failure().text().find(keyFile()) == std::string::npos) __builtin_trap();
    return 0;
}
