#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "context/app_context.h"
#include "context/ini_file.h"
#include "data/core/database.h"
#include "data/core/schema.h"
#include "omrix_db_commands.h"
#include "platform/write_error.h"

namespace omrix::db_tool {
namespace {

util::Status openFile(const std::string& file, bool create, data::CCCDBS_DataBase& db) {
    if (util::Status made = create ? data::createDatabaseFile(file) : util::Status(); !made)
        return made;
    if (db.fnOpen("sqlite", file, "", "", 1)) return {};
    return util::Failure("cannot open " + file, db.lastErrorText());
}

}  // namespace

std::string checkNotEmpty(const std::string& value) {
    return value.empty() ? "must name a file" : std::string();
}

void addDatabaseOptions(CLI::App& command, DatabaseChoice& choice) {
    auto* ini =
        command.add_option("--ini", choice.iniPath, context::kIniSearchHelp)->check(checkNotEmpty);
    // Set while parsing: the database object reads its trace switch when it is made.
    auto* file =
        command.add_option("--file", choice.file, "SQLite database file")
            ->check(checkNotEmpty)
            ->each([](const std::string&) { context::appContext().WithoutIniFile = true; });
    ini->excludes(file);
}

util::Status openDatabase(const DatabaseChoice& choice, bool create, data::CCCDBS_DataBase& db) {
    if (!choice.file.empty()) {
        context::appContext().WithoutIniFile = true;
        return openFile(choice.file, create, db);
    }

    // The INI file chosen here is the one the data layer writes its flags into.
    auto& context = context::appContext();
    if (!choice.iniPath.empty()) context.IniPath = choice.iniPath;
    std::string ini = context::fnGetIniPath();
    if (ini.empty()) return util::Failure(context::describeIniSearch(context::processIniPlaces()));
    if (!std::filesystem::exists(ini)) return util::Failure("no INI file at " + ini);
    // The same limits and words as the export: a regular file of at most 1 MiB.
    if (util::Status readable = context::checkIniFile(ini); !readable) return readable;
    std::string server = context::fnReadDatabaseIniValue("DATABASE", "SERVER_NAME", ini);
    std::string name = context::fnReadDatabaseIniValue("DATABASE", "DB_NAME", ini);
    if (create && data::isEmbeddedServer(server) && !name.empty()) {
        std::filesystem::path file = name;
        if (file.is_relative()) file = std::filesystem::path(ini).parent_path() / file;
        if (util::Status made = data::createDatabaseFile(file.string()); !made) return made;
    }
    if (db.fnOpenFromIni(ini)) return {};
    return util::Failure("cannot open the database named by " + ini, db.lastErrorText());
}

void reportError(const std::string& text) {
    std::fprintf(stderr, "omrix-db: %s\n", text.c_str());
}

int finishOutput() {
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return kExitOk;
    reportError("standard output cannot be written: " + platform::writeErrorText(errno));
    return kExitFailed;
}

}  // namespace omrix::db_tool
