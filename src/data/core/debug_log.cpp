#include "data/core/debug_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "context/app_context.h"
#include "context/ini_file.h"
#include "data/core/trace_file.h"
#include "data/drivers/sql_text.h"
#include "platform/messages.h"

namespace omrix::data {
namespace {

namespace fs = std::filesystem;

std::string iniFolder() {
    fs::path ini = context::fnGetIniPath();
    return ini.has_parent_path() ? ini.parent_path().string() : std::string(".");
}

}  // namespace

DebugSettings readDebugSettings() {
    DebugSettings settings;
    if (context::appContext().WithoutIniFile) return settings;
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

namespace {

// Calls `code` for each stretch of the statement outside literals and comments and
// `literal` for each string literal (its quotes included).
template <class Code, class Literal>
void walkStatement(std::string_view sql, Code code, Literal literal) {
    size_t done = 0;
    for (size_t i = 0; i < sql.size();) {
        const SqlSpan* span = sqlSpanAt(sql, i, true);
        if (span == nullptr || span->isName()) {
            const size_t end =
                span == nullptr ? i + 1 : std::min(sqlSpanEnd(sql, i, *span), sql.size());
            i = end;
            continue;
        }
        code(sql.substr(done, i - done));
        size_t end = std::min(sqlSpanEnd(sql, i, *span), sql.size());
        // A doubled quote closes and reopens: one literal still.
        while (span->kind == SqlSpanKind::Literal && end < sql.size() && sql[end] == '\'')
            end = std::min(sqlSpanEnd(sql, end, *span), sql.size());
        if (span->kind == SqlSpanKind::Literal) literal(sql.substr(i, end - i));
        done = i = end;
    }
    code(sql.substr(std::min(done, sql.size())));
}

// Numbers outside names become the hidden value too: a password may be all digits.
std::string withoutNumbers(std::string_view code) {
    std::string out;
    for (size_t i = 0; i < code.size();) {
        bool real = false;
        const bool starts =
            code[i] >= '0' && code[i] <= '9' && (i == 0 || !isSqlNameByte(code[i - 1]));
        const size_t end = starts ? sqlNumberEnd(code, i, real) : std::string_view::npos;
        if (end == std::string_view::npos) {
            out += code[i++];
            continue;
        }
        out += kHiddenValue;
        i = end;
    }
    return out;
}

}  // namespace

bool namesPasswordColumn(std::string_view sql) {
    bool named = false;
    walkStatement(
        sql, [&](std::string_view code) { named = named || isPasswordColumn(code); },
        [](std::string_view) {});
    return named;
}

std::string withoutPasswords(std::string_view sql) {
    if (!namesPasswordColumn(sql)) return std::string(sql);
    std::string out;
    walkStatement(
        sql, [&](std::string_view code) { out += withoutNumbers(code); },
        [&](std::string_view) { out += "'" + std::string(kHiddenValue) + "'"; });
    return out;
}

bool fnFileExists(std::string_view path) {
    struct stat info {};
    return ::stat(std::string(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The suite writes "\NAME.LOG" relative to the program folder; here the INI file's
// folder, since an installed program folder is not writable.
DebugLog::DebugLog(const DebugSettings& settings, std::string_view defaultFile)
    : enabled_(settings.enabled),
      folder_(settings.folder.empty() ? "." : settings.folder),
      relative_(enabled_
                    ? traceRelativePath(settings.logFile.empty() ? defaultFile : settings.logFile,
                                        defaultFile)
                    : "") {
    if (enabled_) path_ = (fs::path(folder_) / relative_).string();
}

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
    std::string cause;
    int fd = relative_.empty() ? -1 : openTraceFile(folder_, relative_, cause);
    if (fd < 0) return reportOnce("：指定ﾌｧｲﾙ(" + path_ + ")をオープンできません。");
    bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    if (::close(fd) != 0) written = false;
    if (!written) reportOnce("：指定ﾌｧｲﾙ (" + path_ + ")の書き込み中にエラーが発生しました。");
}

void DebugLog::reportOnce(const std::string& text) const {
    if (!context::appContext().UnwritableTraces->first(path_)) return;
    platform::showMessageBox(text, platform::kStyleExclamation);
}

}  // namespace omrix::data
