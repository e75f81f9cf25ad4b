#include "breakdown/uchiwake_loader.h"

#include "breakdown/omrix_dbt_uchiwake.h"
#include "context/app_context.h"

namespace omrix::breakdown {

std::shared_ptr<COmrixEditUcw> fnLoadUchiwake(ProgressBar* progressBar) {
    UchiwakeRows rows;
    int32_t id = context::appContext().UchiwakeName.内訳名称ＩＤ;
    if (!fnOmrix_DBT_Uchiwake_Select201(rows, id, true, progressBar)) return nullptr;
    std::shared_ptr<COmrixEditUcw> root;
    if (!fnBuildUchiwakeTree(rows, root, 0)) return nullptr;
    return root;
}

}  // namespace omrix::breakdown
