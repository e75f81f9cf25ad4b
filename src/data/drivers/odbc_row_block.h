#pragma once
// The rows of an ODBC result read a block at a time into bound column buffers: one
// driver call per block of rows instead of one per value. A value longer than its
// buffer is read again on its own, so nothing arrives cut short.

#include <sql.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace omrix::data {

// A result column as SQLDescribeCol gives it.
struct OdbcColumnShape {
    SQLSMALLINT sqlType = 0;
    SQLULEN size = 0;  // characters for text, digits for numbers; 0 when unknown
};

// Reads the current row's column (0-based) as text with SQLGetData, in as many pieces
// as it takes; false when the driver fails.
bool readColumnText(SQLHSTMT statement, int column, std::string& value, bool& isNull);

class OdbcRowBlock {
  public:
    // Binds every column of the statement's current result; false (nothing bound) when
    // a column has no size small enough to buffer, or the driver refuses the binding.
    bool bind(SQLHSTMT statement, const std::vector<OdbcColumnShape>& columns);
    // Forgets the binding (the statement's result is closed or about to be).
    void unbind();
    bool bound() const { return statement_ != SQL_NULL_HSTMT; }

    // Moves to the next row, fetching the next block when this one is used up, and
    // reads the row's values too long for their buffers on their own. SQL_NO_DATA
    // after the last row; SQL_ERROR with the statement's diagnostics.
    SQLRETURN next();

    bool isNull(int column) const { return indicator(column) == SQL_NULL_DATA; }
    // The current row's value as text, valid until the next row.
    std::string_view text(int column) const;

  private:
    struct Column {
        SQLLEN width = 0;              // buffer bytes per row, the terminating NUL included
        std::unique_ptr<char[]> data;  // the driver writes every value before it is read
        std::vector<SQLLEN> indicators;
        std::string whole;  // a value longer than `width`, read on its own
    };
    SQLLEN indicator(int column) const {
        return columns_[static_cast<size_t>(column)].indicators[row_];
    }
    bool isCut(const Column& column) const;
    bool readCutValues();

    SQLHSTMT statement_ = SQL_NULL_HSTMT;
    std::vector<Column> columns_;
    std::vector<SQLUSMALLINT> status_;
    SQLULEN fetched_ = 0;
    size_t row_ = 0;
    bool ended_ = false;
};

}  // namespace omrix::data
