#pragma once
// Creating the suite's tables (db/schema.sql) in a database: omrix-db init and the
// test fixtures.

#include <string>
#include <string_view>
#include <vector>

#include "data/core/database.h"
#include "util/failure.h"

namespace omrix::data {

// A new, empty database file for the embedded database; the failure names the file.
// An existing file is left as it is.
util::Status createDatabaseFile(const std::string& path);

// db/schema.sql as it was when the program was built.
std::string_view embeddedSchemaSql();

// The tables a schema text creates, in order, named as written there.
std::vector<std::string> schemaTableNames(std::string_view schemaSql);

// True when the database already holds any table of the schema.
bool schemaExists(CCCDBS_DataBase& db, std::string_view schemaSql);

// Runs the schema in one transaction. With `replace`, the schema's tables are
// dropped first (and their rows with them); without it, an existing table fails.
bool createSchema(CCCDBS_DataBase& db, std::string_view schemaSql, bool replace);

}  // namespace omrix::data
