// omrix-db: creates the suite's tables, runs SQL text through the module's data layer
// and enciphers passwords for OMRIX.INI.

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

#include "context/app_context.h"
#include "omrix_db_commands.h"
#include "platform/messages.h"
#include "program_version.h"

int main(int argc, char** argv) {
    using namespace omrix::db_tool;
    // Numbered messages and message boxes of the layers below go to standard error.
    omrix::context::appContext().Messages = std::make_shared<omrix::platform::StderrSink>();
    // 更新画面ＩＤ of the rows it writes: the program's own name.
    omrix::context::appContext().ScreenIdProvider = [] { return std::string("omrix-db"); };

    CLI::App app{"omrix-db: the suite's tables for the print module"};
    app.set_version_flag("--version", omrix::apps::versionText("omrix-db"));
    app.require_subcommand(1);
    CommandTable commands;
    addInitCommand(app, commands);
    addExecCommand(app, commands);
    addEncryptPasswordCommand(app, commands);
    addDemoCommand(app, commands);

    // CLI11 only says a sub-command is required; the user learns which word was wrong.
    if (argc > 1 && argv[1][0] != '-') {
        std::string names;
        bool known = false;
        for (const auto& [command, run] : commands) {
            known = known || command->get_name() == argv[1];
            names += (names.empty() ? "" : ", ") + command->get_name();
        }
        if (!known) {
            std::fprintf(stderr, "omrix-db: unknown sub-command '%s' (use %s)\n", argv[1],
                         names.c_str());
            return kExitUsage;
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        int status = app.exit(error);
        return status == 0 ? kExitOk : kExitUsage;
    }
    for (const CLI::App* chosen : app.get_subcommands()) {
        auto it = commands.find(chosen);
        if (it != commands.end()) return it->second();
    }
    return kExitUsage;
}
