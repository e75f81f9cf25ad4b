#pragma once
// A demo database on a real SQLite file built from db/schema.sql, in a folder of its
// own with an OMRIX.INI that names it, and plain sqlite3 reads of the file for checks
// that must not go through the code under test.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "context/temp_folder.h"
#include "data/core/database.h"
#include "demo/demo_database.h"
#include "platform/messages.h"

namespace omrix::testing {

class DemoFile {
  public:
    // An initialised database; with options, the demo written into it.
    DemoFile();
    explicit DemoFile(const demo::DemoOptions& options);
    ~DemoFile();
    DemoFile(const DemoFile&) = delete;
    DemoFile& operator=(const DemoFile&) = delete;

    // Empty when every step worked.
    const std::string& error() const { return error_; }
    const std::string& file() const { return file_; }
    const std::string& iniPath() const { return iniPath_; }
    data::CCCDBS_DataBase& db() { return *db_; }
    const demo::DemoSummary& summary() const { return summary_; }

    // Makes this database the program's: AppContext.Database, its INI file, a
    // message recorder (returned).
    std::shared_ptr<platform::RecordingSink> install();

  private:
    TempFolder folder_;
    std::string file_;
    std::string iniPath_;
    std::string error_;
    std::shared_ptr<data::CCCDBS_DataBase> db_;
    demo::DemoSummary summary_;
};

// Every row of every table, in stored order, as text: the whole content of the file.
std::string dumpDatabase(const std::string& file);

// The rows of a query as lines of tab-separated values; the SQL is width-folded as the
// data layer folds it.
std::vector<std::string> queryRows(const std::string& file, const std::string& sql);

// The first value of a query as a number; -1 when there is none.
int64_t queryNumber(const std::string& file, const std::string& sql);

}  // namespace omrix::testing
