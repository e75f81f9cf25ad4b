#include "data/tables/table_write.h"

#include <charconv>
#include <cmath>

#include "data/core/database.h"
#include "data/tables/record_conventions.h"

namespace omrix::data {

std::string sqlNumber(double value) {
    if (!std::isfinite(value)) return "0";
    char buffer[400];
    // Fixed notation: no exponent for any server to misread, and the shortest digits that
    // read back as the same double.
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

std::string sqlNumber(int64_t value) {
    return std::to_string(value);
}

SqlColumnList& SqlColumnList::text(std::string_view column, std::string_view value,
                                   int32_t byteLimit) {
    items_.emplace_back(std::string(column), "'" + fnSqlQuote(value, byteLimit) + "'");
    return *this;
}

SqlColumnList& SqlColumnList::number(std::string_view column, int64_t value) {
    items_.emplace_back(std::string(column), sqlNumber(value));
    return *this;
}

SqlColumnList& SqlColumnList::number(std::string_view column, double value) {
    items_.emplace_back(std::string(column), sqlNumber(value));
    return *this;
}

SqlColumnList& SqlColumnList::money(std::string_view column, util::Currency value) {
    items_.emplace_back(std::string(column), value.toString());
    return *this;
}

std::string SqlColumnList::assignments() const {
    std::string out;
    for (const auto& [column, value] : items_) {
        if (!out.empty()) out += ", ";
        out += column;
        out += " = ";
        out += value;
    }
    return out;
}

std::string SqlColumnList::names() const {
    std::string out;
    for (const auto& item : items_) {
        if (!out.empty()) out += ", ";
        out += item.first;
    }
    return out;
}

std::string SqlColumnList::values() const {
    std::string out;
    for (const auto& item : items_) {
        if (!out.empty()) out += ", ";
        out += item.second;
    }
    return out;
}

namespace {

bool updateOrInsert(CCCDBS_DataBase& db, std::string_view table, std::string_view idColumn,
                    int32_t id, const SqlColumnList& columns) {
    std::string update = "Update ";
    update += table;
    update += " Set " + fnAuditUpdateSet() + columns.assignments();
    update += " Where 削除区分 = '0' And (";
    update += idColumn;
    update += " = " + std::to_string(id) + ") ;";
    int32_t affected = 0;
    int16_t status = 0;
    if (!db.fnExecute(update, affected, status)) return false;
    if (affected > 0) return true;

    std::string insert = "Insert Into ";
    insert += table;
    insert += " (";
    insert += kAuditInsertColumns;
    insert += columns.names() + ") Values (" + fnAuditInsertValues() + columns.values() + ")";
    return db.fnExecute(insert, affected, status);
}

}  // namespace

bool fnUpdateThenInsert(CCCDBS_DataBase& db, std::string_view table, std::string_view idColumn,
                        int32_t id, const SqlColumnList& columns, bool useTransaction) {
    if (columns.empty()) return false;
    Transaction transaction(db, useTransaction);
    if (!transaction.begun()) return false;
    if (!updateOrInsert(db, table, idColumn, id, columns)) return false;  // rolls back
    return transaction.commit();
}

}  // namespace omrix::data
