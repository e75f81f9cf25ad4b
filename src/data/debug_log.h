#pragma once
// The optional trace of every statement and every value read, switched on in
// OMRIX.INI ([DEBUG_OPTION] RECORDSET_DEBUG) and written to a file in the program folder.

#include <string>
#include <string_view>

namespace omrix::data {

struct DebugSettings {
    bool enabled = false;
    std::string logFile;  // RECORDSET_LOGFILE as set; empty: the object's own default
};

// RECORDSET_DEBUG other than exactly "OFF" switches the trace on ("off" does too).
DebugSettings readDebugSettings();

bool fnFileExists(std::string_view path);

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
    bool enabled_ = false;
    std::string path_;
    std::string pending_;
};

}  // namespace omrix::data
