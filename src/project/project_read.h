#pragma once
// The read pattern of the project tables: a record that stays cleared without a live
// row, false only when the query cannot run.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/database.h"
#include "data/record_fields.h"
#include "context/app_context.h"

namespace omrix::project {

// "(LTrim(RTrim(column)) = 'value') ": stored codes carry blanks, and the value is
// trimmed too so that a right-aligned 物件No finds the same row.
std::string codeCondition(std::string_view column, std::string_view value);

// "(column = id) "
std::string idCondition(std::string_view column, int32_t id);

template <typename Record, typename FieldList>
bool readFirstRow(const std::string& sql, Record& rec, FieldList fields) {
    auto& db = context::appContext().Database;
    if (!db) return false;
    auto rs = db->fnOpenRecordSet(sql);
    if (!rs) return false;
    if (!rs->pbEOF()) data::readRecord(*rs, rec, fields);
    rs->fnClose();
    return true;
}

template <typename Record, typename FieldList>
bool readAllRows(const std::string& sql, std::vector<Record>& rows, FieldList fields) {
    rows.clear();
    auto& db = context::appContext().Database;
    if (!db) return false;
    auto rs = db->fnOpenRecordSet(sql);
    if (!rs) return false;
    while (!rs->pbEOF()) {
        data::readRecord(*rs, rows.emplace_back(), fields);
        if (!rs->fnMoveNext()) break;
    }
    rs->fnClose();
    return true;
}

}  // namespace omrix::project
