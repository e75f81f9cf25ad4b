#pragma once
// The program's one connection, for the procedures whose callers name no database:
// start-up opens it into AppContext.Database. Readers and writers take the database
// explicitly; only their thin named wrappers come through here.

namespace omrix::data {

class CCCDBS_DataBase;

// Null before start-up connects (or after a test reset the context).
CCCDBS_DataBase* programDatabase();

}  // namespace omrix::data
