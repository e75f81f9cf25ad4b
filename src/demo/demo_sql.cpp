#include "demo/demo_sql.h"

#include "data/tables/record_conventions.h"
#include "data/tables/table_write.h"

namespace omrix::demo {

void SqlRow::separate() {
    if (!values_.empty()) values_ += ", ";
}

SqlRow& SqlRow::text(std::string_view value, int32_t byteWidth) {
    separate();
    values_ += '\'';
    values_ += data::fnSqlQuote(value, byteWidth);
    values_ += '\'';
    return *this;
}

SqlRow& SqlRow::number(int64_t value) {
    separate();
    values_ += std::to_string(value);
    return *this;
}

SqlRow& SqlRow::real(double value) {
    separate();
    values_ += data::sqlNumber(value);
    return *this;
}

SqlRow& SqlRow::money(util::Currency value) {
    separate();
    values_ += value.toString();
    return *this;
}

SqlRow& SqlRow::date(std::string_view value) {
    if (value.empty()) {
        separate();
        values_ += "NULL";
        return *this;
    }
    return text(value, 0);
}

RowInserter::RowInserter(data::CCCDBS_DataBase& db, std::string_view table,
                         std::string_view columns)
    : db_(db) {
    head_ = "INSERT INTO ";
    head_ += table;
    head_ += " (";
    head_ += data::kAuditInsertColumns;
    head_ += columns;
    head_ += ") VALUES ";
}

bool RowInserter::add(const SqlRow& row, bool deleted) {
    if (pending_ == 0) {
        statement_ = head_;
    } else {
        statement_ += ", ";
    }
    statement_ += "('";
    statement_ += deleted ? kDemoOldUpdateDate : kDemoUpdateDate;
    statement_ += "', '";
    statement_ += kDemoOperator;
    statement_ += "', '";
    statement_ += kDemoScreen;
    statement_ += deleted ? "', 1, '1', " : "', 0, '0', ";
    statement_ += row.values();
    statement_ += ')';
    if (++pending_ == kRowsPerStatement) return flush();
    return ok_;
}

bool RowInserter::flush() {
    if (pending_ > 0) {
        statement_ += ';';
        if (ok_ && !db_.fnExecute(statement_)) ok_ = false;
        pending_ = 0;
        statement_.clear();
    }
    return ok_;
}

}  // namespace omrix::demo
