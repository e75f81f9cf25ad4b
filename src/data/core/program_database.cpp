#include "data/core/program_database.h"

#include "context/app_context.h"
#include "data/core/database.h"
#include "data/core/schema.h"
#include "platform/messages.h"

namespace omrix::data {

CCCDBS_DataBase* programDatabase() {
    return context::appContext().Database.get();
}

std::shared_ptr<context::HandleTable> programConnections() {
    return context::appContext().Connections;
}

bool programWithoutIniFile() {
    return context::appContext().WithoutIniFile;
}

bool fnDREVOObj_GetDbObject(std::string_view iniPath) {
    auto& context = context::appContext();
    context.Database = std::make_shared<CCCDBS_DataBase>();
    CCCDBS_DataBase& db = *context.Database;
    if (db.fnOpenFromIni(iniPath)) {
        // An empty file (or /dev/zero) opens as a new, empty database.
        if (schemaExists(db, embeddedSchemaSql())) return true;
        db.closeRefused(db.psDataBaseName() + " is not a database of the suite (no tables)");
    }
    if (std::string why = context.Database->passwordError(); !why.empty())
        platform::showMessageBox(why, platform::kStyleCritical);
    platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "ＤＢオブジェクトの取得", "",
                                     "fnDREVOObj_GetDbObject");
    return false;
}

}  // namespace omrix::data
