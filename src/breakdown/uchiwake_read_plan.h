#pragma once
// The columns a line is read from, looked up by name once per record set rather than
// once per value: a breakdown has some eighty columns and up to 100,000 lines.

#include <string_view>
#include <vector>

#include "breakdown/uchiwake_records.h"
#include "data/database.h"

namespace omrix::breakdown {

class UchiwakeReadPlan {
  public:
    explicit UchiwakeReadPlan(data::CCCDBS_RecordSet& rs);

    // Clears rec and reads the audit columns and fields 2 to 79 of the current row.
    void read(data::CCCDBS_RecordSet& rs, UchiwakeRec& rec) const;

    // A column of the result by its name, compared as the database compares names;
    // a name the result lacks stays a name, so that reading it behaves as it would.
    data::ColumnIndex column(std::string_view name) const;

  private:
    std::vector<std::string> keys_;
    std::vector<data::ColumnIndex> audit_;
    std::vector<data::ColumnIndex> fields_;
};

}  // namespace omrix::breakdown
