#pragma once
// The suite's main program, started at exit. A process cannot raise another program's
// window here, so the caller's window number travels with the command instead: a main
// program that is still open re-shows itself, otherwise it starts.

#include <cstdint>
#include <string_view>

namespace omrix::platform {

// The caller's window number (key W) as the started command sees it.
inline constexpr const char* kCallerWindowVariable = "OMRIX_CALLER_WINDOW";

// Runs `command` through /bin/sh in a session of its own, not waited for, with the
// caller's window number in OMRIX_CALLER_WINDOW. False when no process could be made.
bool startMainProgram(std::string_view command, int32_t callerWindow);

}  // namespace omrix::platform
