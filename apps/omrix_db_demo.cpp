#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "demo/demo_database.h"
#include "omrix_db_commands.h"
#include "util/text.h"

namespace omrix::db_tool {
namespace {

struct DemoCommandOptions {
    DatabaseChoice database;
    demo::DemoOptions demo;
};

int runDemo(const DemoCommandOptions& options) {
    data::CCCDBS_DataBase db;
    if (util::Status opened = openDatabase(options.database, false, db); !opened) {
        reportError(opened.failure().text());
        return kExitFailed;
    }
    util::Result<demo::DemoSummary> made = demo::createDemoDatabase(db, options.demo);
    if (!made) {
        reportError(made.failure().text());
        return kExitFailed;
    }
    const demo::DemoSummary& summary = *made;
    std::printf("project %s version %s: %d lines, %d unit-price breakdowns, total %s\n",
                options.demo.bukkenNo.c_str(), options.demo.hanNo.c_str(), summary.lines,
                summary.daikahyo, summary.total.toString().c_str());
    return kExitOk;
}

// The project and version numbers as the suite's fields hold them: a usage error
// before anything is opened, not a failed run.
std::function<std::string(const std::string&)> fieldCheck(const char* what, int32_t bytes) {
    return [what, bytes](const std::string& value) -> std::string {
        const std::string_view text = util::trimBlanks(value);
        if (text.empty() || util::fnLenByte(text) > bytes || text.find('\'') != text.npos) {
            return std::string("the ") + what + " must be 1 to " + std::to_string(bytes) +
                   " bytes without quotes";
        }
        return {};
    };
}

}  // namespace

void addDemoCommand(CLI::App& app, CommandTable& commands) {
    auto options = std::make_shared<DemoCommandOptions>();
    CLI::App* command =
        app.add_subcommand("demo", "fill an initialised database with a sample estimate");
    addDatabaseOptions(*command, options->database);
    command
        ->add_option("--seed", options->demo.seed,
                     "seed of the sample; the same seed gives "
                     "the same rows")
        ->capture_default_str();
    command->add_option("--lines", options->demo.lines, "lines of the breakdown (内訳)")
        ->check(CLI::Range(1, demo::kDemoMaxLines))
        ->capture_default_str();
    command->add_option("--bukken", options->demo.bukkenNo, "project number (物件No)")
        ->check(fieldCheck("project number", 16))
        ->capture_default_str();
    command->add_option("--han", options->demo.hanNo, "version number (版No)")
        ->check(fieldCheck("version number", 4))
        ->capture_default_str();
    commands[command] = [options] { return runDemo(*options); };
}

}  // namespace omrix::db_tool
