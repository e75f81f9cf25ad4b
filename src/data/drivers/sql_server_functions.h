#pragma once
// The SQL Server functions the suite's statements use and SQLite lacks.

struct sqlite3;

namespace omrix::data {

// GetDate() (local time, as the server's clock gives it) and Len(text) (characters
// without trailing blanks). IsNull cannot be one: SQLite reads the word as its
// postfix operator; statements here use Coalesce. False when the engine refused one.
bool registerSqlServerFunctions(sqlite3* db);

}  // namespace omrix::data
