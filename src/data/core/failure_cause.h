#pragma once
// The cause of a failed database action, shown on its own line after the suite's
// message 3010, which names only the action: a lock held by another program, a
// read-only file, a full disk, a lost server connection.

namespace omrix::data {

class CCCDBS_DataBase;

// "<database>: <the engine's reason>"; nothing when there is no database or reason.
void showFailureCause(const CCCDBS_DataBase* db);

}  // namespace omrix::data
