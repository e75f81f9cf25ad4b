#include "data/debug_log.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/messages.h"
#include "context/ini_file.h"

namespace omrix::data {
namespace {

// The suite writes "\NAME.LOG" relative to the program folder.
std::string logPath(std::string_view name) {
    std::string relative(name);
    for (char& c : relative) {
        if (c == '\\') c = '/';
    }
    while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
    std::string folder = context::programFolder();
    return (folder.empty() ? std::string(".") : folder) + "/" + relative;
}

}  // namespace

DebugSettings readDebugSettings() {
    DebugSettings settings;
    std::string ini = context::fnGetIniPath();
    std::string value = context::VBFILE_ReadINI("DEBUG_OPTION", "RECORDSET_DEBUG", 0, ini);
    settings.enabled = !value.empty() && value != "OFF";
    if (settings.enabled)
        settings.logFile = context::VBFILE_ReadINI("DEBUG_OPTION", "RECORDSET_LOGFILE", 0, ini);
    return settings;
}

bool fnFileExists(std::string_view path) {
    struct stat info {};
    return ::stat(std::string(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

DebugLog::DebugLog(const DebugSettings& settings, std::string_view defaultFile)
    : enabled_(settings.enabled),
      path_(enabled_ ? logPath(settings.logFile.empty() ? defaultFile : settings.logFile) : "") {}

void DebugLog::writeLine(std::string_view text) {
    std::string line = std::move(pending_);
    pending_.clear();
    if (!line.empty() && !text.empty()) line += "\r\n";
    line += text;
    line += "\r\n";
    if (!enabled_) return;

    // Opened and closed for every line, so the trace survives a crash and can be read
    // while the program runs. Trouble here never touches the database result.
    std::FILE* file = std::fopen(path_.c_str(), fnFileExists(path_) ? "ab" : "wb");
    if (file == nullptr) {
        platform::showMessageBox("：指定ﾌｧｲﾙ(" + path_ + ")をオープンできません。",
                                 platform::kStyleExclamation);
        return;
    }
    bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    if (std::fclose(file) != 0) written = false;
    if (!written)
        platform::showMessageBox("：指定ﾌｧｲﾙ (" + path_ + ")の書き込み中にエラーが発生しました。",
                                 platform::kStyleExclamation);
}

}  // namespace omrix::data
