#pragma once
// Which successful statements mark the database as changed for the suite's backup
// ([KALVERON] BackupFlag=1 in OMRIX.INI).

#include <string_view>

namespace omrix::data {

// INSERT INTO / DELETE FROM (table from character 13) or UPDATE (from character 8)
// on a master or on one of the suite's data tables; see the list in the source.
bool raisesBackupFlag(std::string_view sql);

// raisesBackupFlag, then the write into the INI file when it says so.
void markBackupIfNeeded(std::string_view sql);

}  // namespace omrix::data
