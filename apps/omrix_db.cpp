// omrix-db: creates the suite's tables, runs SQL text through the module's data layer
// and enciphers passwords for OMRIX.INI.

#include <CLI/CLI.hpp>

#include <memory>

#include "omrix_db_commands.h"
#include "program_version.h"
#include "platform/messages.h"
#include "context/app_context.h"

int main(int argc, char** argv) {
    using namespace omrix::db_tool;
    // Numbered messages and message boxes of the layers below go to standard error.
    omrix::context::appContext().Messages = std::make_shared<omrix::platform::StderrSink>();

    CLI::App app{"omrix-db: the suite's tables for the print module"};
    app.set_version_flag("--version", omrix::apps::versionText("omrix-db"));
    app.require_subcommand(1);
    CommandTable commands;
    addInitCommand(app, commands);
    addExecCommand(app, commands);
    addEncryptPasswordCommand(app, commands);
    addDemoCommand(app, commands);

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
