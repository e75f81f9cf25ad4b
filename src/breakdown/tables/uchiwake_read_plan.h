#pragma once
// The columns a line is read from, looked up by name once per record set rather than
// once per value: a breakdown has some eighty columns and up to 100,000 lines.

#include <string>
#include <string_view>
#include <vector>

#include "breakdown/tables/uchiwake_records.h"
#include "data/core/database.h"

namespace omrix::breakdown {

class UchiwakeReadPlan {
  public:
    explicit UchiwakeReadPlan(data::CCCDBS_RecordSet& rs);

    // Clears rec and reads the audit columns and fields 2 to 79 of the current row.
    // False, with the column in `badColumn`, when a stored amount or quantity is no
    // number or lies outside what a Currency holds: such a line must not print as 0.
    bool read(data::CCCDBS_RecordSet& rs, UchiwakeRec& rec, std::string* badColumn = nullptr) const;

    // A column of the result by its name, compared as the database compares names;
    // a name the result lacks stays a name, so that reading it behaves as it would.
    data::ColumnIndex column(std::string_view name) const;

  private:
    std::vector<std::string> keys_;
    std::vector<data::ColumnIndex> audit_;
    std::vector<data::ColumnIndex> fields_;
};

// Reads a money or quantity column; false (and 0 in `out`) for a stored value that
// is no number or lies outside the Currency range. Null reads as 0.
bool readCheckedMoney(data::CCCDBS_RecordSet& rs, const data::ColumnIndex& column, Currency& out);
bool readCheckedQuantity(data::CCCDBS_RecordSet& rs, const data::ColumnIndex& column, double& out);

// The overflow message naming the table, the column and the line's 内訳ＩＤ.
void showStoredValueOverflow(std::string_view table, std::string_view column, int32_t uchiwakeId,
                             const data::Variant& value);

}  // namespace omrix::breakdown
