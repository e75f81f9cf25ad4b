#include "breakdown/tree/uchiwake_loader.h"

#include "breakdown/tables/omrix_dbt_uchiwake.h"
#include "breakdown/tables/uchiwake_outline.h"
#include "breakdown/tree/program_values.h"
#include "data/core/program_database.h"

namespace omrix::breakdown {

std::shared_ptr<COmrixEditUcw> loadUchiwake(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId,
                                            ProgressBar* progressBar) {
    UchiwakeRows rows;
    if (!fnOmrix_DBT_Uchiwake_Select201(db, rows, uchiwakeNameId, true, progressBar)) {
        return nullptr;
    }
    std::shared_ptr<COmrixEditUcw> root;
    if (!fnBuildUchiwakeTree(rows, root, 0)) return nullptr;
    return root;
}

std::shared_ptr<COmrixEditUcw> loadUchiwakeOutline(data::CCCDBS_DataBase& db,
                                                   int32_t uchiwakeNameId) {
    UchiwakeRows rows;
    if (!fnOmrix_DBT_Uchiwake_SelectOutline(db, rows, uchiwakeNameId)) return nullptr;
    std::shared_ptr<COmrixEditUcw> root;
    if (!fnBuildUchiwakeTree(rows, root, 0)) return nullptr;
    return root;
}

std::shared_ptr<COmrixEditUcw> fnLoadUchiwake(ProgressBar* progressBar) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    if (db == nullptr) return nullptr;
    return loadUchiwake(*db, programUchiwakeNameId(), progressBar);
}

}  // namespace omrix::breakdown
