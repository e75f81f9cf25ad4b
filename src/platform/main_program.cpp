#include "platform/main_program.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace omrix::platform {
namespace {

// This process's environment with the caller's window number set.
std::vector<std::string> handOffEnvironment(int32_t callerWindow) {
    const std::string prefix = std::string(kCallerWindowVariable) + "=";
    std::vector<std::string> entries;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        if (std::string_view(*entry).starts_with(prefix)) continue;
        entries.emplace_back(*entry);
    }
    entries.push_back(prefix + std::to_string(callerWindow));
    return entries;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> list;
    for (std::string& text : texts) list.push_back(text.data());
    list.push_back(nullptr);
    return list;
}

}  // namespace

bool startMainProgram(std::string_view command, int32_t callerWindow) {
    std::vector<std::string> arguments{"sh", "-c", std::string(command)};
    std::vector<std::string> environment = handOffEnvironment(callerWindow);
    std::vector<char*> argv = pointers(arguments);
    std::vector<char*> envp = pointers(environment);

    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) return false;
    // Its own session: the main program outlives this one and its terminal.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    int error = posix_spawn(&child, "/bin/sh", nullptr, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    return error == 0;
}

}  // namespace omrix::platform
