#pragma once
// Runs a command line through the shell and keeps what it printed and how it ended.

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace omrix::testing {

inline std::string shellQuoted(const std::string& text) {
    return "'" + text + "'";
}

// Standard output of the command; `status` its exit status, -1 when it did not exit.
inline std::string capture(const std::string& command, int& status) {
    std::string text;
    status = -1;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return text;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    int raw = ::pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return text;
}

}  // namespace omrix::testing
