#include "app/startup_sequence.h"
#include "context/app_context.h"
#include "context/command_line.h"
#include "context/ini_file.h"
#include "data/core/database.h"
#include "platform/ini_write.h"
#include "platform/main_program.h"
#include "util/text.h"

namespace omrix::app {

using namespace context;

HandOff runExitSteps(std::string_view companyName, CloseReason reason) {
    AppContext& context = appContext();
    if (context.Database) context.Database->fnClose();
    context.Database.reset();
    // VBFILE_WriteINI shows 3024 itself; the close never stops for it.
    platform::VBFILE_WriteINI("KALVERON", "PRINTCOMAPNYNAME", companyName, 0, fnGetIniPath());
    if (reason == CloseReason::SystemShutdown || reason == CloseReason::TaskManager) {
        return HandOff::Skipped;
    }
    return sbShowMainProgram();
}

HandOff sbShowMainProgram() {
    const std::string command = fnReadIniValue("KALVERON", "MAIN_PROGRAM");
    if (util::trimBlanks(command).empty()) return HandOff::NoProgram;
    return platform::startMainProgram(command, fnGetCallerWindow()) ? HandOff::Started
                                                                    : HandOff::Failed;
}

}  // namespace omrix::app
