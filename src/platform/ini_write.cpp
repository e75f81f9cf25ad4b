#include "platform/ini_write.h"

#include <string>

#include "context/ini_file.h"
#include "platform/messages.h"

namespace omrix::platform {

void VBFILE_WriteINI(std::string_view section, std::string_view key, std::string_view value,
                     int16_t mode, std::string_view file) {
    if (context::writeIniValue(section, key, value, mode, file)) return;
    fnPIMORA01_DispMessage(3024, kStyleOk, "\"" + std::string(value) + "\"", "", "VBFILE_WriteINI");
}

}  // namespace omrix::platform
