#pragma once
// The SQL Server functions the suite's statements use and SQLite lacks.

struct sqlite3;

namespace omrix::data {

// GetDate() (local time, as the server's clock gives it), IsNull(a, b), Len(text)
// (characters without trailing blanks). False when the engine refused one.
bool registerSqlServerFunctions(sqlite3* db);

}  // namespace omrix::data
