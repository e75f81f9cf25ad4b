// The suite's command line on any text: every key read, nothing read past the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "context/app_context.h"
#include "context/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    omrix::context::resetAppContext();
    auto& context = omrix::context::appContext();
    context.CommandLine.assign(reinterpret_cast<const char*>(data), size);
    omrix::context::sbReadCommandLine();
    (void)omrix::context::fnGetCallerWindow();
    std::string value;
    for (const char* key : {"B", "H", "Q", "T", "W", "", "BB"})
        (void)omrix::context::fnGetCommandLineValue(key, value);
    return 0;
}
