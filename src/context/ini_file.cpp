#include "context/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "context/ini_document.h"
#include "util/bounded_file.h"
#include "util/text.h"

namespace omrix::context {
namespace {

namespace fs = std::filesystem;

constexpr size_t kReadLimit = 127;           // a 128-byte buffer with its NUL
constexpr size_t kDatabaseReadLimit = 2047;  // a 2048-byte buffer with its NUL

// The system calls take the name up to its first NUL.
std::string beforeNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

// Mode 1 names a file in the Windows directory, here $WINDIR; empty when it is not set.
std::string resolveFile(int16_t mode, std::string_view file) {
    std::string name = beforeNul(file);
    if (mode != 1) return name;
    const char* windir = std::getenv("WINDIR");
    if (windir == nullptr || *windir == '\0') return {};
    std::string folder = windir;
    if (folder.back() != '/') folder += '/';
    return folder + name;
}

std::optional<IniDocument> loadDocument(const std::string& path) {
    std::string bytes;
    if (path.empty() ||
        util::readRegularFile(path, util::kSettingsFileLimit, bytes) != util::FileRead::Ok) {
        return std::nullopt;
    }
    return IniDocument(std::move(bytes));
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// A temporary file beside the target, renamed over it: a failure at any point leaves
// the old file whole, and readers never see half a file.
bool replaceFile(const std::string& path, const std::string& bytes) {
    std::error_code error;
    fs::path target = path;
    // A link stays a link: the file it points to is the one replaced.
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        target = fs::canonical(target, error);
        if (error) return false;
    }
    fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

    int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    struct stat old {};
    mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

bool writeValue(const std::string& path, std::string_view section, std::string_view key,
                std::string_view value) {
    if (path.empty()) return false;
    std::string bytes;
    // A file that exists but cannot be read is never overwritten.
    util::FileRead read = util::readRegularFile(path, util::kSettingsFileLimit, bytes);
    if (read != util::FileRead::Ok && read != util::FileRead::Missing) return false;
    IniDocument document(std::move(bytes));
    return document.setValue(section, key, value) && replaceFile(path, document.bytes());
}

// At most `limit` characters, never half of one.
std::string firstCharacters(std::string text, size_t limit) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (count++ == limit) {
            text.resize(i);
            break;
        }
    }
    return text;
}

// The 128-byte reader on a resolved file name.
std::string readShortValue(std::string_view section, std::string_view key,
                           std::string_view fallback, const std::string& path) {
    auto document = loadDocument(path);
    std::optional<std::string> found = document ? document->value(section, key) : std::nullopt;
    std::string text = firstCharacters(found ? *found : std::string(fallback), kReadLimit);
    // The buffer comes back with NULs behind the text; they are peeled off one by one.
    while (true) {
        std::string trimmed(util::trimBlanks(text));
        if (trimmed.empty() || trimmed.back() != '\0') return text;
        trimmed.pop_back();
        text = std::move(trimmed);
    }
}

}  // namespace

util::Status checkIniFile(const std::string& path) {
    std::string bytes;
    util::FileRead read = util::readRegularFile(path, util::kSettingsFileLimit, bytes);
    // A missing file reads as every key's default.
    if (read == util::FileRead::Ok || read == util::FileRead::Missing) return {};
    return util::Failure(util::describeFileRead(read, path, util::kSettingsFileLimit));
}

std::string VBFILE_ReadINI(std::string_view section, std::string_view key, int16_t mode,
                           std::string_view file) {
    return readShortValue(section, key, "", resolveFile(mode, file));
}

std::string fnReadIniValueOr(std::string_view section, std::string_view key,
                             std::string_view fallback, std::string_view file) {
    return readShortValue(section, key, fallback, resolveFile(0, file));
}

bool writeIniValue(std::string_view section, std::string_view key, std::string_view value,
                   int16_t mode, std::string_view file) {
    return writeValue(resolveFile(mode, file), section, key, value);
}

std::string fnReadIniValue(std::string_view section, std::string_view key) {
    return VBFILE_ReadINI(section, key, 0, fnGetIniPath());
}

std::string fnReadDatabaseIniValue(std::string_view section, std::string_view key,
                                   std::string_view file) {
    auto document = loadDocument(beforeNul(file));
    if (!document) return {};
    std::string text =
        firstCharacters(document->value(section, key).value_or(""), kDatabaseReadLimit);
    if (!text.empty() && text.back() == '\0') {
        size_t nul = text.find('\0');
        if (nul > 0) text.resize(nul);
    }
    return text;
}

}  // namespace omrix::context
