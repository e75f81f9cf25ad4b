#pragma once
// The suite's command line: one-letter keys such as -B:0001234 anywhere in the argument string.

#include <string>
#include <string_view>

namespace omrix::startup {

// Both read AppContext::CommandLine.
bool fnGetCommandLineValue(std::string_view key, std::string& value);

// Reads B, H, Q and T into the application context.
void sbReadCommandLine();

}  // namespace omrix::startup
