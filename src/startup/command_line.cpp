#include "startup/command_line.h"

#include "startup/app_context.h"

namespace omrix::startup {

bool fnGetCommandLineValue(std::string_view, std::string& value) {
    value.clear();
    return false;
}
void sbReadCommandLine() {}

}  // namespace omrix::startup
