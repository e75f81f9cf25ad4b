#pragma once
// A real SQLite file with the suite's tables in a fresh folder, an OMRIX.INI naming
// it, and a message recorder in the application context.

#include <memory>
#include <string>

#include "data/database.h"
#include "data/schema.h"
#include "platform/messages.h"
#include "context/app_context.h"
#include "context/fresh_context.h"
#include "context/temp_folder.h"

namespace omrix::testing {

class AccessDatabase {
  public:
    explicit AccessDatabase(const std::string& extraIni = "") {
        file_ = folder_.file("access.sqlite");
        iniPath_ = folder_.file("OMRIX.INI");
        writeBytes(iniPath_, "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=access.sqlite\n" + extraIni);
        context::appContext().IniPath = iniPath_;
        sink_ = std::make_shared<platform::RecordingSink>();
        context::appContext().Messages = sink_;

        std::string error;
        db_ = std::make_shared<data::CCCDBS_DataBase>();
        ok_ = data::createDatabaseFile(file_, error) && db_->fnOpenFromIni(iniPath_) &&
              data::createSchema(*db_, data::embeddedSchemaSql(), false);
    }
    ~AccessDatabase() {
        db_->fnClose();
    }
    AccessDatabase(const AccessDatabase&) = delete;
    AccessDatabase& operator=(const AccessDatabase&) = delete;

    bool ok() const { return ok_; }
    data::CCCDBS_DataBase& db() { return *db_; }
    const std::string& file() const { return file_; }
    const std::string& iniPath() const { return iniPath_; }
    const TempFolder& folder() const { return folder_; }
    platform::RecordingSink& messages() { return *sink_; }

    // A second connection of its own to the same file.
    std::unique_ptr<data::CCCDBS_DataBase> connect() const {
        auto db = std::make_unique<data::CCCDBS_DataBase>();
        if (!db->fnOpen("sqlite", file_, "", "", 1)) return nullptr;
        return db;
    }

    // The first column of the first row as text; "<none>" without a row.
    std::string value(std::string_view sql) {
        auto rs = db_->fnOpenRecordSet(sql);
        if (!rs) return "<error>";
        if (rs->pbEOF()) return "<none>";
        data::Variant v = rs->fnGetVariant(0);
        return data::isNull(v) ? "<null>" : data::variantToText(v);
    }

  private:
    FreshContext fresh_;  // first made, last gone
    TempFolder folder_;
    std::string file_;
    std::string iniPath_;
    bool ok_ = false;
    std::shared_ptr<data::CCCDBS_DataBase> db_;
    std::shared_ptr<platform::RecordingSink> sink_;
};

}  // namespace omrix::testing
