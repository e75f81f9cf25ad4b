#pragma once
// Runs a command line through the shell and keeps what it printed and how it ended.

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "context/temp_folder.h"

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

struct ProgramRun {
    int status = -1;  // the exit status, -1 when it did not exit
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs a command line with its standard error written to `errFile` and read back.
inline ProgramRun runProgram(const std::string& command, const std::string& errFile) {
    ProgramRun run;
    run.out = capture(command + " 2>" + shellQuoted(errFile), run.status);
    run.err = readBytes(errFile);
    return run;
}

}  // namespace omrix::testing
