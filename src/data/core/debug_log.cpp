#include "data/core/debug_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "context/app_context.h"
#include "context/ini_file.h"
#include "data/drivers/sql_text.h"
#include "platform/messages.h"

namespace omrix::data {
namespace {

namespace fs = std::filesystem;

// The suite writes "\NAME.LOG" relative to the program folder; here the INI file's
// folder, since an installed program folder is not writable. A name that would lead
// out of that folder is not followed: the default name is used instead.
std::string logPath(const std::string& folder, std::string_view name, std::string_view fallback) {
    std::string relative(name);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    fs::path path = fs::path(relative).relative_path().lexically_normal();
    if (path.empty() || *path.begin() == ".." || path.filename().empty()) {
        return fallback.empty() ? std::string() : logPath(folder, fallback, {});
    }
    return (fs::path(folder.empty() ? "." : folder) / path).string();
}

std::string iniFolder() {
    fs::path ini = context::fnGetIniPath();
    return ini.has_parent_path() ? ini.parent_path().string() : std::string(".");
}

}  // namespace

DebugSettings readDebugSettings() {
    DebugSettings settings;
    std::string ini = context::fnGetIniPath();
    // Absent, the switch is "OFF"; present, anything but exactly "OFF" (empty too) is on.
    std::string value = context::fnReadIniValueOr("DEBUG_OPTION", "RECORDSET_DEBUG", "OFF", ini);
    settings.enabled = value != "OFF";
    if (settings.enabled) {
        settings.logFile = context::VBFILE_ReadINI("DEBUG_OPTION", "RECORDSET_LOGFILE", 0, ini);
        settings.folder = iniFolder();
    }
    return settings;
}

bool isPasswordColumn(std::string_view name) {
    const std::string key = columnNameKey(name);
    for (std::string_view word : {"パスワード", "password", "passwd", "pwd"}) {
        if (key.find(word) != std::string::npos) return true;
    }
    return false;
}

std::string withoutPasswords(std::string_view sql) {
    std::string out;
    size_t done = 0;
    for (size_t quote = sql.find('\''); quote != std::string_view::npos;
         quote = sql.find('\'', quote)) {
        // The literal ends at a lone quote; doubled quotes stay inside it.
        size_t end = quote + 1;
        while ((end = sql.find('\'', end)) != std::string_view::npos && end + 1 < sql.size() &&
               sql[end + 1] == '\'') {
            end += 2;
        }
        if (end == std::string_view::npos) end = sql.size() - 1;
        std::string_view before = sql.substr(done, quote - done);
        size_t equals = before.find_last_not_of(" \t");
        bool assigned = equals != std::string_view::npos && before[equals] == '=';
        std::string_view name = assigned ? before.substr(0, equals) : std::string_view{};
        name = name.substr(0, name.find_last_not_of(" \t") + 1);
        size_t start = name.find_last_of(" \t,(.");
        name = start == std::string_view::npos ? name : name.substr(start + 1);
        out += before;
        out += assigned && isPasswordColumn(name) ? "'" + std::string(kHiddenValue) + "'"
                                                  : std::string(sql.substr(quote, end + 1 - quote));
        done = quote = end + 1;
    }
    out += sql.substr(std::min(done, sql.size()));
    return out;
}

bool fnFileExists(std::string_view path) {
    struct stat info {};
    return ::stat(std::string(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

DebugLog::DebugLog(const DebugSettings& settings, std::string_view defaultFile)
    : enabled_(settings.enabled),
      path_(enabled_
                ? logPath(settings.folder,
                          settings.logFile.empty() ? defaultFile : settings.logFile, defaultFile)
                : "") {}

void DebugLog::writeLine(std::string_view text) {
    std::string line = std::move(pending_);
    pending_.clear();
    if (!line.empty() && !text.empty()) line += "\r\n";
    line += text;
    line += "\r\n";
    if (!enabled_) return;

    // Opened and closed for every line, so the trace survives a crash and can be read
    // while the program runs. Made private to the user, never through a link. Trouble
    // here never touches the database result and is reported once per file.
    int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return reportOnce("：指定ﾌｧｲﾙ(" + path_ + ")をオープンできません。");
    bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    if (::close(fd) != 0) written = false;
    if (!written) reportOnce("：指定ﾌｧｲﾙ (" + path_ + ")の書き込み中にエラーが発生しました。");
}

void DebugLog::reportOnce(const std::string& text) const {
    if (!context::appContext().UnwritableTraces.insert(path_).second) return;
    platform::showMessageBox(text, platform::kStyleExclamation);
}

}  // namespace omrix::data
