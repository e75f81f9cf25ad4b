#pragma once
// The optional trace of every statement and every value read, switched on in
// OMRIX.INI ([DEBUG_OPTION] RECORDSET_DEBUG) and written to a file in the INI file's folder.

#include <string>
#include <string_view>

namespace omrix::data {

struct DebugSettings {
    bool enabled = false;
    std::string logFile;  // RECORDSET_LOGFILE as set; empty: the object's own default
    std::string folder;   // where the trace files go: the INI file's folder
};

// RECORDSET_DEBUG present and other than exactly "OFF" switches the trace on ("off"
// and an empty value do too).
DebugSettings readDebugSettings();

bool fnFileExists(std::string_view path);

// The trace never holds a password: what is read from or written to these columns
// is traced as kHiddenValue.
inline constexpr std::string_view kHiddenValue = "***";
// 担当者パスワード and any column named like a password, in either width or case.
bool isPasswordColumn(std::string_view name);
// Whether the statement names a password column anywhere outside its literals and
// comments (a value compared with one, written into one, or read under an alias).
bool namesPasswordColumn(std::string_view sql);
// A statement that names a password column with every literal, text or number,
// written as *** ('***' for a text); any other statement as it is.
std::string withoutPasswords(std::string_view sql);

class DebugLog {
  public:
    DebugLog() = default;
    // defaultFile is the name used when the INI names none ("\DBS_DATABASE.LOG").
    DebugLog(const DebugSettings& settings, std::string_view defaultFile);

    bool enabled() const { return enabled_; }
    const std::string& path() const { return path_; }

    // A full line: the pending text and `text`, joined by CR LF when both are there.
    void writeLine(std::string_view text);
    // Kept until the next full line.
    void append(std::string_view text) { pending_ += text; }

  private:
    void reportOnce(const std::string& text) const;

    bool enabled_ = false;
    std::string folder_;    // the INI file's folder
    std::string relative_;  // the file below it
    std::string path_;
    std::string pending_;
};

}  // namespace omrix::data
