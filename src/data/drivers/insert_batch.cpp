#include "data/drivers/insert_batch.h"

#include <algorithm>
#include <array>
#include <optional>

#include "data/drivers/sql_text.h"
#include "util/ascii.h"
#include "util/text.h"

namespace omrix::data {
namespace {

constexpr std::string_view kSqlBlanks = " \t\r\n";

// The column types (as the server's catalog names them) whose arrays read each value
// as its literal would; a column of any other type keeps the batch as written.
constexpr std::array<std::string_view, 3> kIntegerTypes = {"int2", "int4", "int8"};
constexpr std::array<std::string_view, 3> kFractionTypes = {"numeric", "float4", "float8"};
constexpr std::array<std::string_view, 8> kTextReadTypes = {
    "bpchar", "varchar", "text", "timestamp", "timestamptz", "date", "time", "bool"};
// Types whose values keep their trailing blanks.
constexpr std::array<std::string_view, 2> kPaddedTypes = {"varchar", "text"};

// A table's name may carry its schema.
bool isNameByte(char c) {
    return isSqlNameByte(c) || c == '.';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the text a piece at a time; every read skips the blanks before it.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool word(std::string_view expected) {
        std::string_view name = this->name();
        return !name.empty() && util::equalsIgnoringAsciiCase(name, expected);
    }
    std::string_view name() {
        skipBlanks();
        size_t start = at_;
        while (at_ < text_.size() && isNameByte(text_[at_])) ++at_;
        return text_.substr(start, at_ - start);
    }
    bool symbol(char c) {
        skipBlanks();
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool atEnd() {
        skipBlanks();
        return at_ == text_.size();
    }
    // The items of a bracketed list whose '(' was read, up to its ')'; false when a
    // literal does not close or a comment stands among them.
    bool items(std::vector<std::string_view>& out) {
        size_t start = at_;
        int depth = 0;
        for (; at_ < text_.size(); ++at_) {
            char c = text_[at_];
            if (const SqlSpan* span = sqlSpanAt(text_, at_)) {
                if (span->isComment()) return false;
                size_t end = sqlSpanEnd(text_, at_, *span);
                if (end == std::string_view::npos) return false;
                at_ = end - 1;
            } else if (c == '(') {
                ++depth;
            } else if (c == ')' && depth-- == 0) {
                out.push_back(util::trimBlanks(text_.substr(start, at_ - start), kSqlBlanks));
                ++at_;
                return true;
            } else if (c == ',' && depth == 0) {
                out.push_back(util::trimBlanks(text_.substr(start, at_ - start), kSqlBlanks));
                start = at_ + 1;
            }
        }
        return false;
    }

  private:
    void skipBlanks() {
        while (at_ < text_.size() && kSqlBlanks.find(text_[at_]) != std::string_view::npos) ++at_;
    }
    std::string_view text_;
    size_t at_ = 0;
};

struct InsertStatement {
    std::string_view table;
    std::vector<std::string_view> columns;
    std::vector<std::string_view> items;
};

bool readInsert(std::string_view sql, InsertStatement& out) {
    Reader reader(sql);
    if (!reader.word("INSERT") || !reader.word("INTO")) return false;
    out.table = reader.name();
    if (out.table.empty() || !reader.symbol('(') || !reader.items(out.columns)) return false;
    for (std::string_view column : out.columns) {
        if (column.empty()) return false;
        for (char c : column)
            if (!isNameByte(c)) return false;
    }
    if (!reader.word("VALUES") || !reader.symbol('(') || !reader.items(out.items)) return false;
    return reader.atEnd() && out.items.size() == out.columns.size();
}

// A signed number literal, whole.
bool isNumber(std::string_view text) {
    size_t start = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    bool startsNumber = start < text.size() &&
                        (isDigit(text[start]) || (text[start] == '.' && start + 1 < text.size() &&
                                                  isDigit(text[start + 1])));
    bool real = false;
    return startsNumber && sqlNumberEnd(text, start, real) == text.size();
}

std::string_view withoutTrailingBlanks(std::string_view text) {
    size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// Characters of a literal's value: UTF-8 lead bytes, a doubled quote counted once.
size_t characterCount(std::string_view literal) {
    size_t count = 0;
    for (size_t i = 0; i < literal.size(); ++i) {
        if ((static_cast<unsigned char>(literal[i]) & 0xC0) == 0x80) continue;
        if (literal[i] == '\'') ++i;
        ++count;
    }
    return count;
}

// Between the quotes of an item that is one whole literal; nothing when it is more.
std::optional<std::string_view> textValue(std::string_view item) {
    if (item.size() < 2 || item.front() != '\'' || item.back() != '\'') return std::nullopt;
    std::string_view inside = item.substr(1, item.size() - 2);
    for (size_t at = inside.find('\''); at != std::string_view::npos;
         at = inside.find('\'', at + 2)) {
        if (at + 1 == inside.size() || inside[at + 1] != '\'') return std::nullopt;
    }
    return inside;
}

std::optional<BatchValue> valueOf(std::string_view item) {
    if (std::optional<std::string_view> text = textValue(item))
        return BatchValue{.kind = BatchValue::Kind::Text, .text = *text};
    if (isNumber(item)) return BatchValue{.kind = BatchValue::Kind::Number, .text = item};
    if (util::equalsIgnoringAsciiCase(item, "NULL")) return BatchValue{};
    return std::nullopt;
}

// The first statement sets the table, the columns and which items are values.
void startBatch(const InsertStatement& statement, InsertBatch& out) {
    out.table = statement.table;
    out.columns.assign(statement.columns.begin(), statement.columns.end());
    out.items.clear();
    for (std::string_view item : statement.items) {
        BatchItem& column = out.items.emplace_back();
        if (!valueOf(item)) column.expression = item;
    }
}

bool addRow(const InsertStatement& statement, InsertBatch& out) {
    if (statement.table != out.table || statement.columns.size() != out.columns.size())
        return false;
    for (size_t i = 0; i < out.columns.size(); ++i) {
        if (statement.columns[i] != out.columns[i]) return false;
        BatchItem& item = out.items[i];
        if (!item.expression.empty()) {
            if (statement.items[i] != item.expression) return false;
            continue;
        }
        std::optional<BatchValue> value = valueOf(statement.items[i]);
        if (!value) return false;
        item.values.push_back(*value);
    }
    ++out.rows;
    return true;
}

template <size_t N>
bool isOneOf(std::string_view type, const std::array<std::string_view, N>& types) {
    for (std::string_view t : types)
        if (t == type) return true;
    return false;
}

// Whether an element of an array of `type` reads `value` as the value's literal would.
bool readsAsLiteral(const BatchValue& value, std::string_view type) {
    bool integer = isOneOf(type, kIntegerTypes);
    bool number = integer || isOneOf(type, kFractionTypes);
    if (value.kind != BatchValue::Kind::Number) return number || isOneOf(type, kTextReadTypes);
    return number && (!integer || value.text.find_first_of(".eE") == std::string::npos);
}

// '{"a","b \"c\"",NULL}' as a quoted SQL literal: the texts' quotes stay doubled as
// they came, the array's own quotes and backslashes are escaped. With `trimmed`, each
// text goes without its trailing blanks.
void appendArrayLiteral(const std::vector<BatchValue>& values, bool trimmed, std::string& out) {
    out += "'{";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ',';
        if (values[i].kind == BatchValue::Kind::Null) {
            out += "NULL";
            continue;
        }
        out += '"';
        std::string_view rest = trimmed ? withoutTrailingBlanks(values[i].text) : values[i].text;
        for (size_t at = rest.find_first_of("\"\\"); at != std::string_view::npos;
             at = rest.find_first_of("\"\\")) {
            out.append(rest.substr(0, at));
            out += '\\';
            out += rest[at];
            rest.remove_prefix(at + 1);
        }
        out.append(rest);
        out += '"';
    }
    out += "}'";
}

// The values' lengths in characters, as an int4 array literal.
void appendLengths(const std::vector<BatchValue>& values, std::string& out) {
    out += "'{";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ',';
        out += values[i].kind == BatchValue::Kind::Null
                   ? std::string("NULL")
                   : std::to_string(characterCount(values[i].text));
    }
    out += "}'::int4[]";
}

bool hasTrailingBlanks(const std::vector<BatchValue>& values) {
    for (const BatchValue& value : values)
        if (value.kind == BatchValue::Kind::Text && value.text.ends_with(' ')) return true;
    return false;
}

// One column of values: an array of the column's type, unnested. Fixed-width texts
// are mostly blanks; they go trimmed, with their lengths to pad them back to, which
// spares the driver and the server most of the text they would read.
void appendColumnArray(const std::vector<BatchValue>& values, const std::string& type,
                       std::string& out) {
    bool padded = isOneOf(type, kPaddedTypes) && hasTrailingBlanks(values);
    out += padded ? "rpad(unnest(" : "unnest(";
    appendArrayLiteral(values, padded, out);
    out += "::" + type + "[])";
    if (!padded) return;
    out += ", unnest(";
    appendLengths(values, out);
    out += "))";
}

// Columns of values whose value is the same in every row: they go as that one literal,
// read as it always is. One column of values stays an array, as it gives the rows.
std::vector<bool> constantColumns(const InsertBatch& batch) {
    std::vector<bool> constant(batch.items.size(), false);
    std::optional<size_t> firstArray;
    for (size_t i = 0; i < batch.items.size(); ++i) {
        const std::vector<BatchValue>& values = batch.items[i].values;
        if (!batch.items[i].expression.empty()) continue;
        constant[i] = std::all_of(values.begin(), values.end(), [&](const BatchValue& value) {
            return value.kind == values.front().kind && value.text == values.front().text;
        });
        if (!constant[i] && !firstArray) firstArray = i;
    }
    if (!firstArray) {
        for (size_t i = 0; i < constant.size(); ++i) {
            if (constant[i]) {
                constant[i] = false;
                break;
            }
        }
    }
    return constant;
}

void appendLiteral(const BatchValue& value, std::string& out) {
    switch (value.kind) {
        case BatchValue::Kind::Null:
            out += "NULL";
            break;
        case BatchValue::Kind::Number:
            out.append(value.text);
            break;
        case BatchValue::Kind::Text:
            out += '\'';
            out.append(value.text);
            out += '\'';
            break;
    }
}

}  // namespace

bool parseInsertBatch(std::string_view sql, InsertBatch& out) {
    out = {};
    for (std::string_view text : splitStatements(sql)) {
        InsertStatement statement;
        if (!readInsert(text, statement)) return false;
        if (out.rows == 0) startBatch(statement, out);
        if (!addRow(statement, out)) return false;
    }
    bool anyValues = false;
    for (const BatchItem& item : out.items) anyValues = anyValues || item.expression.empty();
    return out.rows >= 2 && anyValues;
}

std::string unnestedInsertText(const InsertBatch& batch, const ColumnTypeNames& types) {
    std::vector<bool> constant = constantColumns(batch);
    std::string text = "INSERT INTO " + batch.table + " (";
    for (size_t i = 0; i < batch.columns.size(); ++i) text += (i ? ", " : "") + batch.columns[i];
    text += ") SELECT ";
    for (size_t i = 0; i < batch.items.size(); ++i) {
        if (i > 0) text += ", ";
        const BatchItem& item = batch.items[i];
        if (!item.expression.empty()) {
            text += item.expression;
            continue;
        }
        if (constant[i]) {
            appendLiteral(item.values.front(), text);
            continue;
        }
        auto type = types.find(columnNameKey(batch.columns[i]));
        if (type == types.end()) return {};
        for (const BatchValue& value : item.values)
            if (!readsAsLiteral(value, type->second)) return {};
        appendColumnArray(item.values, type->second, text);
    }
    return text;
}

}  // namespace omrix::data
