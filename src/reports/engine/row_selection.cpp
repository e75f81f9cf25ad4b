#include "reports/engine/row_selection.h"

namespace omrix::reports {

std::string RowSelection::sql(std::string_view columns, std::string_view also,
                              std::string_view orderBy) const {
    return "Select " + std::string(columns) + " From " + table + " Where 削除区分 = '0' And (" +
           column + " = " + std::to_string(value) + ")" + std::string(also) + std::string(orderBy) +
           ";";
}

}  // namespace omrix::reports
