#pragma once
// The read pattern of the project tables: a record that stays cleared without a live
// row, false only when the query cannot run.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/core/database.h"
#include "data/tables/record_fields.h"
#include "data/core/row_select.h"

namespace omrix::project {

// "(LTrim(RTrim(column)) = 'value') ": stored codes carry blanks, and the value is
// trimmed too so that a right-aligned 物件No finds the same row.
std::string codeCondition(std::string_view column, std::string_view value);

// "(column = id) "
std::string idCondition(std::string_view column, int32_t id);

// The first live row into rec (left as it was without one); false only when the
// query cannot run.
template <typename Record, typename FieldList>
bool readFirstRow(data::CCCDBS_DataBase& db, const std::string& sql, Record& rec,
                  FieldList fields) {
    return data::selectFirstRow(db, sql, rec, [&fields](data::CCCDBS_RecordSet& rs, Record& row) {
        data::readRecord(rs, row, fields);
    });
}

// Every live row, in stored order; false when the read fails.
template <typename Record, typename FieldList>
bool readAllRows(data::CCCDBS_DataBase& db, const std::string& sql, std::vector<Record>& rows,
                 FieldList fields) {
    return data::selectRows(db, sql, rows, [&fields](data::CCCDBS_RecordSet& rs, Record& row) {
        data::readRecord(rs, row, fields);
    });
}

}  // namespace omrix::project
