#pragma once
// A text of single-row INSERTs into the same columns of one table, read as columns
// of values. The suite writes its print rows a hundred such statements to a text; a
// server that plans each statement apart can take them as one statement instead.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace omrix::data {

// One value of a row as the statement wrote it, a view into the statement's text.
struct BatchValue {
    enum class Kind { Text, Number, Null };
    Kind kind = Kind::Null;
    std::string_view text;  // between a text's quotes (quotes inside still doubled); a number
};

// One item of the VALUES list: the same expression in every row (GetDate()), or a
// literal value per row.
struct BatchItem {
    std::string expression;  // empty for a column of values
    std::vector<BatchValue> values;
};

struct InsertBatch {
    std::string table;
    std::vector<std::string> columns;  // as written
    std::vector<BatchItem> items;      // one per column
    size_t rows = 0;
};

// Two or more statements of the form INSERT INTO name (names) VALUES (items), all
// into the same columns, each item a literal or an expression the same in every row.
// False for any other text, which then runs as written. The batch's values are views
// into `sql`.
bool parseInsertBatch(std::string_view sql, InsertBatch& out);

// The type names of a table's columns as the server's catalog gives them (int4,
// varchar, ...), by columnNameKey() of the column's name.
using ColumnTypeNames = std::map<std::string, std::string>;

// The batch as one INSERT ... SELECT of one array per column of values, unnested in
// step; each array has the type of its column, so its elements are read as the
// column's own literals would be. Empty when a column's type is unknown or would
// read a value otherwise than its literal (a number into text, a fraction into an
// integer).
std::string unnestedInsertText(const InsertBatch& batch, const ColumnTypeNames& types);

}  // namespace omrix::data
