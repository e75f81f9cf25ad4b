#pragma once
// The rows a report reads, as its record selection formula and table location name them.

#include <cstdint>
#include <string>
#include <string_view>

namespace omrix::reports {

// The rows one report reads: "<column> = <value>" on its table, soft-deleted rows left out.
struct RowSelection {
    std::string table;
    std::string column;
    int32_t value = 0;

    // "Select <columns> From <table> Where 削除区分 = '0' And (<column> = <value>)"
    // + `also` (" And …") + `orderBy` (" Order By …") + ";"
    std::string sql(std::string_view columns = "*", std::string_view also = {},
                    std::string_view orderBy = {}) const;
};

}  // namespace omrix::reports
