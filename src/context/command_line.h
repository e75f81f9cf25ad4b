#pragma once
// The suite's command line: one-letter keys such as -B:0001234 anywhere in the argument string.

#include <cstdint>
#include <string>
#include <string_view>

namespace omrix::context {

// Both read AppContext::CommandLine.
bool fnGetCommandLineValue(std::string_view key, std::string& value);

// Reads B, H, Q and T into the application context.
void sbReadCommandLine();

// The caller's window (key W), read again at exit; 0 when missing, blank or not a number.
int32_t fnGetCallerWindow();

// The argument string as the suite passes it: every argument after the program, joined by blanks.
std::string joinArguments(int argc, const char* const* argv);

}  // namespace omrix::context
