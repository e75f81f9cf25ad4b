#pragma once
// The update-then-insert write of the tables this program creates or edits: the row is
// updated by its ID, and inserted when no live row had that ID.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "util/currency.h"

namespace omrix::data {

class CCCDBS_DataBase;

// Plain decimal, independent of any locale; a value that is not finite is written as 0.
std::string sqlNumber(double value);
std::string sqlNumber(int64_t value);

// The columns of one row after the audit columns, in record order, as SQL text.
class SqlColumnList {
  public:
    // Quoted with fnSqlQuote; byteLimit 0 keeps the whole text.
    SqlColumnList& text(std::string_view column, std::string_view value, int32_t byteLimit = 0);
    SqlColumnList& number(std::string_view column, int64_t value);
    SqlColumnList& number(std::string_view column, double value);
    SqlColumnList& money(std::string_view column, util::Currency value);

    bool empty() const { return items_.empty(); }
    std::string assignments() const;  // "a = 'x', b = 1"
    std::string names() const;        // "a, b"
    std::string values() const;       // "'x', 1"

  private:
    std::vector<std::pair<std::string, std::string>> items_;
};

// UPDATE of the live row with idColumn = id; when it touched no row, an INSERT with the
// audit values first. With useTransaction the two run between begin and commit and a
// failure rolls back. False on any failure, also without a database.
[[nodiscard]] bool fnUpdateThenInsert(CCCDBS_DataBase& db, std::string_view table,
                                      std::string_view idColumn, int32_t id,
                                      const SqlColumnList& columns, bool useTransaction);

}  // namespace omrix::data
