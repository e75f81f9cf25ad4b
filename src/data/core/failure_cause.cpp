#include "data/core/failure_cause.h"

#include "data/core/database.h"
#include "platform/messages.h"

namespace omrix::data {

void showFailureCause(const CCCDBS_DataBase* db) {
    if (db == nullptr) return;
    const std::string cause = db->lastErrorText();
    if (cause.empty()) return;
    platform::showMessageBox(db->psDataBaseName() + ": " + cause, platform::kStyleExclamation);
}

}  // namespace omrix::data
