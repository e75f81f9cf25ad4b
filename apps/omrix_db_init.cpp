#include "data/core/schema.h"
#include "omrix_db_commands.h"

namespace omrix::db_tool {
namespace {

struct InitOptions {
    DatabaseChoice database;
    bool force = false;
};

int runInit(const InitOptions& options) {
    data::CCCDBS_DataBase db;
    if (util::Status opened = openDatabase(options.database, true, db); !opened) {
        reportError(opened.failure().text());
        return kExitFailed;
    }
    std::string_view schema = data::embeddedSchemaSql();
    if (!options.force && data::schemaExists(db, schema)) {
        reportError("the database already holds the tables; --force drops and recreates them");
        return kExitFailed;
    }
    if (!data::createSchema(db, schema, options.force)) {
        reportError("creating the tables failed: " + db.lastErrorText());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

void addInitCommand(CLI::App& app, CommandTable& commands) {
    auto options = std::make_shared<InitOptions>();
    CLI::App* command = app.add_subcommand("init", "create the suite's tables in a database");
    addDatabaseOptions(*command, options->database);
    command->add_flag("--force", options->force,
                      "drop the tables (and their rows) first when they exist");
    commands[command] = [options] { return runInit(*options); };
}

}  // namespace omrix::db_tool
