#pragma once
// The sub-commands of omrix-db. Each lives in a file of its own and adds itself to
// the command line with its add function; main() lists the add functions. A new
// sub-command is one file, one line in main() and one source in apps/CMakeLists.txt.

#include <CLI/CLI.hpp>

#include <functional>
#include <map>
#include <string>

#include "data/core/database.h"
#include "util/failure.h"

namespace omrix::db_tool {

// Exit statuses: 0 success, 1 the work failed, 2 the command line was wrong.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// What runs when a sub-command was chosen.
using CommandTable = std::map<const CLI::App*, std::function<int()>>;

void addInitCommand(CLI::App& app, CommandTable& commands);
void addExecCommand(CLI::App& app, CommandTable& commands);
void addEncryptPasswordCommand(CLI::App& app, CommandTable& commands);
void addDemoCommand(CLI::App& app, CommandTable& commands);

// --ini PATH or --file PATH; neither: the usual OMRIX.INI.
struct DatabaseChoice {
    std::string iniPath;
    std::string file;
};
void addDatabaseOptions(CLI::App& command, DatabaseChoice& choice);

// Opens the chosen database; with `create`, an embedded database file that does not
// exist yet is made first.
util::Status openDatabase(const DatabaseChoice& choice, bool create, data::CCCDBS_DataBase& db);

// "omrix-db: <text>" on standard error.
void reportError(const std::string& text);

// Flushes standard output: kExitOk, or kExitFailed with the reason reported when it
// refused what was printed (a full disk, /dev/full, a closed pipe).
int finishOutput();

}  // namespace omrix::db_tool
