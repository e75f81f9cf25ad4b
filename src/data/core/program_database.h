#pragma once
// The program's one connection, for the procedures whose callers name no database:
// start-up opens it into AppContext.Database. Readers and writers take the database
// explicitly; only their thin named wrappers come through here.

#include <memory>
#include <string_view>

#include "context/handle_table.h"

namespace omrix::data {

class CCCDBS_DataBase;

// Null before start-up connects (or after a test reset the context).
CCCDBS_DataBase* programDatabase();

// AppContext.Connections: the numbers record sets are given for open connections.
std::shared_ptr<context::HandleTable> programConnections();

// AppContext.WithoutIniFile: omrix-db's --file commands read and write no INI file.
bool programWithoutIniFile();

// Creates AppContext.Database and opens it from the INI file; message 3010 on failure.
[[nodiscard]] bool fnDREVOObj_GetDbObject(std::string_view iniPath);

}  // namespace omrix::data
