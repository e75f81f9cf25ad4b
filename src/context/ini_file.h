#pragma once
// OMRIX.INI with the Windows INI rules: sections and keys case-insensitive, first match
// wins, values trimmed, a write replaces one key and keeps every other line.

#include <cstdint>
#include <string>
#include <string_view>

#include "context/ini_path.h"
#include "util/failure.h"

namespace omrix::context {

// Fails, naming the cause and the path, for a file that is there but cannot be taken
// as settings: a folder, unreadable, or over the size limit.
util::Status checkIniFile(const std::string& path);

// Mode 0: file used as given; mode 1: relative to the Windows directory. Values cut to 127.
std::string VBFILE_ReadINI(std::string_view section, std::string_view key, int16_t mode,
                           std::string_view file);
// Mode and file as for reading. False when the write failed; the file is then as it
// was. VBFILE_WriteINI (platform) adds the message.
bool writeIniValue(std::string_view section, std::string_view key, std::string_view value,
                   int16_t mode, std::string_view file);
// As VBFILE_ReadINI in mode 0, with `fallback` for a key that is not there at all (a
// key present with no value reads as empty).
std::string fnReadIniValueOr(std::string_view section, std::string_view key,
                             std::string_view fallback, std::string_view file);
// VBFILE_ReadINI in mode 0 on fnGetIniPath().
std::string fnReadIniValue(std::string_view section, std::string_view key);
// The database object's own reader: default empty, values up to 2047 characters.
std::string fnReadDatabaseIniValue(std::string_view section, std::string_view key,
                                   std::string_view file);

}  // namespace omrix::context
