#include <cstdio>
#include <iostream>

#include "omrix_db_commands.h"
#include "platform/password.h"

namespace omrix::db_tool {

void addEncryptPasswordCommand(CLI::App& app, CommandTable& commands) {
    auto password = std::make_shared<std::string>();
    auto given = std::make_shared<bool>(false);
    CLI::App* command = app.add_subcommand(
        "encrypt-password",
        "print the enciphered form of a password for PASSWORD= in OMRIX.INI; makes the key "
        "file ($OMRIX_KEY_FILE, else $XDG_CONFIG_HOME/omrix/secret.key) when it is missing");
    command
        ->add_option("password", *password,
                     "the password; without it one line is read from standard input")
        ->each([given](const std::string&) { *given = true; });
    commands[command] = [password, given] {
        std::string plain = *password;
        // Read from standard input, the password stays out of the shell's history.
        if (!*given && !std::getline(std::cin, plain)) plain.clear();
        if (!plain.empty() && plain.back() == '\r') plain.pop_back();
        std::string stored, error;
        if (!plain.empty() && !platform::ensurePasswordKey(error)) {
            reportError(error);
            return kExitFailed;
        }
        if (!platform::encipherPassword(plain, stored, error)) {
            reportError(error);
            return kExitFailed;
        }
        std::printf("%s\n", stored.c_str());
        return kExitOk;
    };
}

}  // namespace omrix::db_tool
