#include "data/drivers/odbc_row_block.h"

#include <sqlext.h>

#include <algorithm>

namespace omrix::data {
namespace {

// Rows fetched per call, fewer when their buffers would pass kMaxBlockBytes.
constexpr SQLULEN kRowsPerBlock = 64;
constexpr size_t kMaxBlockBytes = size_t{1} << 20;
// A column wider than this is read value by value instead.
constexpr SQLULEN kMaxBoundValueBytes = 4096;
// UTF-8 bytes of a character of the Basic Multilingual Plane at most; a rarer longer
// one fills the buffer sooner and its value is then read on its own.
constexpr SQLULEN kBytesPerCharacter = 3;
// Numbers, dates and times as text: sign, digits, point, exponent.
constexpr SQLULEN kOtherValueBytes = 64;
// Bytes fetched per SQLGetData call; longer values arrive in several pieces.
constexpr size_t kFetchChunk = 4096;

bool isCharacterType(SQLSMALLINT sqlType) {
    switch (sqlType) {
        case SQL_CHAR:
        case SQL_VARCHAR:
        case SQL_LONGVARCHAR:
        case SQL_WCHAR:
        case SQL_WVARCHAR:
        case SQL_WLONGVARCHAR:
            return true;
        default:
            return false;
    }
}

// Buffer bytes for a column's values, the NUL included; 0 when it cannot be bound.
SQLLEN bufferWidth(const OdbcColumnShape& column) {
    if (column.sqlType == SQL_BINARY || column.sqlType == SQL_VARBINARY ||
        column.sqlType == SQL_LONGVARBINARY)
        return 0;
    if (!isCharacterType(column.sqlType)) return static_cast<SQLLEN>(kOtherValueBytes);
    if (column.size == 0 || column.size > kMaxBoundValueBytes / kBytesPerCharacter) return 0;
    return static_cast<SQLLEN>(column.size * kBytesPerCharacter + 1);
}

SQLRETURN setAttribute(SQLHSTMT statement, SQLINTEGER attribute, SQLPOINTER value) {
    return SQLSetStmtAttr(statement, attribute, value, 0);
}

}  // namespace

bool readColumnText(SQLHSTMT statement, int column, std::string& value, bool& isNull) {
    value.clear();
    isNull = false;
    char chunk[kFetchChunk];
    while (true) {
        SQLLEN indicator = 0;
        SQLRETURN rc = SQLGetData(statement, static_cast<SQLUSMALLINT>(column + 1), SQL_C_CHAR,
                                  chunk, sizeof chunk, &indicator);
        if (rc == SQL_NO_DATA) return true;
        if (!SQL_SUCCEEDED(rc)) return false;
        if (indicator == SQL_NULL_DATA) {
            isNull = true;
            return true;
        }
        bool cut = indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof chunk);
        value.append(chunk, cut ? sizeof chunk - 1 : static_cast<size_t>(indicator));
        if (!cut) return true;
    }
}

bool OdbcRowBlock::bind(SQLHSTMT statement, const std::vector<OdbcColumnShape>& columns) {
    unbind();
    if (columns.empty()) return false;
    std::vector<SQLLEN> widths;
    size_t rowBytes = 0;
    for (const OdbcColumnShape& column : columns) {
        SQLLEN width = bufferWidth(column);
        if (width == 0) return false;
        widths.push_back(width);
        rowBytes += static_cast<size_t>(width);
    }
    SQLULEN rows = std::clamp<SQLULEN>(kMaxBlockBytes / rowBytes, 1, kRowsPerBlock);
    columns_.resize(columns.size());
    status_.assign(rows, SQL_ROW_NOROW);
    bool ok = SQL_SUCCEEDED(setAttribute(statement, SQL_ATTR_ROW_BIND_TYPE,
                                         reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN))) &&
              SQL_SUCCEEDED(setAttribute(statement, SQL_ATTR_ROW_ARRAY_SIZE,
                                         reinterpret_cast<SQLPOINTER>(rows))) &&
              SQL_SUCCEEDED(setAttribute(statement, SQL_ATTR_ROWS_FETCHED_PTR, &fetched_)) &&
              SQL_SUCCEEDED(setAttribute(statement, SQL_ATTR_ROW_STATUS_PTR, status_.data()));
    for (size_t i = 0; ok && i < columns_.size(); ++i) {
        Column& column = columns_[i];
        column.width = widths[i];
        column.data =
            std::make_unique_for_overwrite<char[]>(rows * static_cast<size_t>(column.width));
        column.indicators.assign(rows, SQL_NULL_DATA);
        ok = SQL_SUCCEEDED(SQLBindCol(statement, static_cast<SQLUSMALLINT>(i + 1), SQL_C_CHAR,
                                      column.data.get(), column.width, column.indicators.data()));
    }
    statement_ = statement;
    if (!ok) unbind();
    return ok;
}

void OdbcRowBlock::unbind() {
    if (statement_ != SQL_NULL_HSTMT) {
        SQLFreeStmt(statement_, SQL_UNBIND);
        setAttribute(statement_, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1));
        setAttribute(statement_, SQL_ATTR_ROWS_FETCHED_PTR, nullptr);
        setAttribute(statement_, SQL_ATTR_ROW_STATUS_PTR, nullptr);
    }
    statement_ = SQL_NULL_HSTMT;
    columns_.clear();
    status_.clear();
    fetched_ = 0;
    row_ = 0;
    ended_ = false;
}

SQLRETURN OdbcRowBlock::next() {
    if (fetched_ > 0 && row_ + 1 < fetched_) {
        ++row_;
    } else {
        if (ended_) return SQL_NO_DATA;
        fetched_ = 0;
        row_ = 0;
        SQLRETURN rc = SQLFetch(statement_);
        if (rc == SQL_NO_DATA || (SQL_SUCCEEDED(rc) && fetched_ == 0)) {
            ended_ = true;
            return SQL_NO_DATA;
        }
        if (!SQL_SUCCEEDED(rc)) return rc;
    }
    if (status_[row_] == SQL_ROW_ERROR || !readCutValues()) return SQL_ERROR;
    return SQL_SUCCESS;
}

std::string_view OdbcRowBlock::text(int column) const {
    const Column& c = columns_[static_cast<size_t>(column)];
    SQLLEN length = c.indicators[row_];
    if (length == SQL_NULL_DATA) return "";  // as empty text, its NUL included
    if (isCut(c)) return c.whole;
    return {c.data.get() + row_ * static_cast<size_t>(c.width), static_cast<size_t>(length)};
}

bool OdbcRowBlock::isCut(const Column& column) const {
    SQLLEN length = column.indicators[row_];
    return length == SQL_NO_TOTAL || length >= column.width;
}

// Values the buffers cut short, read again through the row's position in the block.
bool OdbcRowBlock::readCutValues() {
    bool positioned = false;
    for (size_t i = 0; i < columns_.size(); ++i) {
        Column& column = columns_[i];
        if (!isCut(column)) continue;
        if (!positioned &&
            !SQL_SUCCEEDED(SQLSetPos(statement_, static_cast<SQLSETPOSIROW>(row_ + 1), SQL_POSITION,
                                     SQL_LOCK_NO_CHANGE)))
            return false;
        positioned = true;
        bool isNull = false;
        if (!readColumnText(statement_, static_cast<int>(i), column.whole, isNull)) return false;
    }
    return true;
}

}  // namespace omrix::data
