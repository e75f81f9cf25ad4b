#pragma once
// The module's INI write: a failed write shows message 3024 and the caller goes on.

#include <cstdint>
#include <string_view>

namespace omrix::platform {

// Mode and file as VBFILE_ReadINI takes them. The file is as it was after a failure.
void VBFILE_WriteINI(std::string_view section, std::string_view key, std::string_view value,
                     int16_t mode, std::string_view file);

}  // namespace omrix::platform
