#include "data/database.h"
#include "context/app_context.h"
#include "context/ini_file.h"
#include "app/startup_sequence.h"

namespace omrix::app {

using namespace context;

void runExitSteps(std::string_view companyName, CloseReason reason) {
    AppContext& context = appContext();
    if (context.Database) context.Database->fnClose();
    context.Database.reset();
    // VBFILE_WriteINI shows 3024 itself; the close never stops for it.
    VBFILE_WriteINI("KALVERON", "PRINTCOMAPNYNAME", companyName, 0, fnGetIniPath());
    if (reason == CloseReason::SystemShutdown || reason == CloseReason::TaskManager) return;
    sbShowMainProgram();
}

bool sbShowMainProgram() {
    // The caller's window handle (key W) and OMRIX_M_MAIN.EXE exist only beside the
    // suite on Windows; here control simply goes back to whoever started us.
    return false;
}

}  // namespace omrix::app
