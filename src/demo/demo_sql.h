#pragma once
// Rows of the demo written as multi-row INSERT statements through the data layer,
// 100 rows to one statement and one fnExecute call. Every row carries fixed audit
// values, so the same seed always gives the same database.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/core/database.h"
#include "util/currency.h"

namespace omrix::demo {

// The audit values of the demo's rows: when and by whom they were entered.
inline constexpr std::string_view kDemoUpdateDate = "2025-03-14 17:42:05";
inline constexpr std::string_view kDemoOldUpdateDate = "2025-02-27 10:15:30";
inline constexpr std::string_view kDemoOperator = "demo";
inline constexpr std::string_view kDemoScreen = "OMRIX_DEMO";

// The values of one row after the audit columns, in column order.
class SqlRow {
  public:
    // Quoted with fnSqlQuote and cut to byteWidth bytes of its CP932 form.
    SqlRow& text(std::string_view value, int32_t byteWidth);
    SqlRow& number(int64_t value);
    SqlRow& real(double value);
    SqlRow& money(util::Currency value);
    // A date-time literal, or NULL for an empty text.
    SqlRow& date(std::string_view value);
    const std::string& values() const { return values_; }

  private:
    void separate();
    std::string values_;
};

class RowInserter {
  public:
    static constexpr int32_t kRowsPerStatement = 100;

    // `columns`: the column list after the audit columns.
    RowInserter(data::CCCDBS_DataBase& db, std::string_view table, std::string_view columns);
    RowInserter(const RowInserter&) = delete;
    RowInserter& operator=(const RowInserter&) = delete;

    // A soft-deleted row gets 削除区分 '1' and an earlier update date.
    bool add(const SqlRow& row, bool deleted = false);
    // Sends what is pending; false when this or an earlier statement failed.
    bool flush();

  private:
    data::CCCDBS_DataBase& db_;
    std::string head_;
    std::string statement_;
    int32_t pending_ = 0;
    bool ok_ = true;
};

}  // namespace omrix::demo
