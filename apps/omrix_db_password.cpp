#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "omrix_db_commands.h"
#include "platform/password.h"

namespace omrix::db_tool {

void addEncryptPasswordCommand(CLI::App& app, CommandTable& commands) {
    auto given = std::make_shared<std::vector<std::string>>();
    CLI::App* command = app.add_subcommand(
        "encrypt-password",
        "read one line from standard input and print its enciphered form for PASSWORD= in "
        "OMRIX.INI; makes the key file ($OMRIX_KEY_FILE, else "
        "$XDG_CONFIG_HOME/omrix/secret.key) when it is missing");
    // Taken only to refuse it: a command line shows the password to every user.
    command->add_option("password", *given)->group("");
    commands[command] = [given] {
        if (!given->empty()) {
            reportError(
                "the password is read from standard input only: on the command line "
                "every user sees it in the process list");
            return kExitUsage;
        }
        std::string plain;
        if (!std::getline(std::cin, plain)) plain.clear();
        if (!plain.empty() && plain.back() == '\r') plain.pop_back();
        if (util::Status key = plain.empty() ? util::Status() : platform::ensurePasswordKey();
            !key) {
            reportError(key.failure().text());
            return kExitFailed;
        }
        util::Result<std::string> stored = platform::encipherPassword(plain);
        if (!stored) {
            reportError(stored.failure().text());
            return kExitFailed;
        }
        std::printf("%s\n", stored->c_str());
        return finishOutput();
    };
}

}  // namespace omrix::db_tool
