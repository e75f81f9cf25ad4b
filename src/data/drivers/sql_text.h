#pragma once
// SQL text as the suite's server reads it: identifiers compare without regard to
// character width, so 内訳名称ＩＤ and 内訳名称ID name the same column.

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace omrix::data {

// The pieces of SQL text that are not code: literals, quoted names and comments, each
// with what opens and closes it. Every scanner of SQL text reads them from here.
enum class SqlSpanKind {
    Literal,
    QuotedName,
    BracketedName,
    BacktickName,
    LineComment,
    BlockComment
};

struct SqlSpan {
    SqlSpanKind kind;
    std::string_view open;
    std::string_view close;

    bool isComment() const {
        return kind == SqlSpanKind::LineComment || kind == SqlSpanKind::BlockComment;
    }
    bool isName() const { return !isComment() && kind != SqlSpanKind::Literal; }
};

inline constexpr std::array<SqlSpan, 6> kSqlSpans = {{
    {.kind = SqlSpanKind::Literal, .open = "'", .close = "'"},  // '' closes and reopens
    {.kind = SqlSpanKind::QuotedName, .open = "\"", .close = "\""},
    {.kind = SqlSpanKind::BracketedName, .open = "[", .close = "]"},
    {.kind = SqlSpanKind::BacktickName, .open = "`", .close = "`"},
    {.kind = SqlSpanKind::LineComment, .open = "--", .close = "\n"},
    {.kind = SqlSpanKind::BlockComment, .open = "/*", .close = "*/"},
}};

// The span opening at sql[i]; null in code. Back-quoted names count only when asked:
// the suite's own statements never use them.
const SqlSpan* sqlSpanAt(std::string_view sql, size_t i, bool withBackticks = false);

// Index just past the close of the span opening at sql[i]; npos when it never closes,
// except a line comment, which the end of the text closes.
size_t sqlSpanEnd(std::string_view sql, size_t i, const SqlSpan& span);

// Full-width ASCII (U+FF01–U+FF5E) outside string literals and comments becomes
// half-width. The full-width forms of characters that would change how the text
// splits into tokens (quotes, brackets, '-', '/', '*', ';') are left alone, so a
// folded text never opens or closes a literal the original did not.
std::string foldSqlText(std::string_view sql);

// The form two column names are compared in: every full-width ASCII character
// folded, ASCII letters in lower case.
std::string columnNameKey(std::string_view name);

// The statements of a text, split at ';' outside literals, quoted names and
// comments; each without its ';' and without surrounding blanks; empty ones dropped.
std::vector<std::string_view> splitStatements(std::string_view sql);

// A byte of an unquoted name: ASCII letters and digits, '_', '$' and every byte of a
// multi-byte character.
bool isSqlNameByte(char c);

// Index just past the unsigned number starting at sql[i] (digits, a fraction, an
// exponent; `real` tells whether it has either); npos for forms kept as written: a
// hexadecimal number, or one run into a name.
size_t sqlNumberEnd(std::string_view sql, size_t i, bool& real);

// The first word of a statement in upper case, after blanks and comments.
std::string leadingKeyword(std::string_view statement);

// A write statement with its literals taken out, so that statements that differ only
// in their values share one compiled form (the suite sends its rows as text, one
// INSERT each, and compiling each would cost more than storing it).
struct SqlLiteral {
    enum class Kind { Integer, Real, Text };
    Kind kind = Kind::Integer;
    int64_t integer = 0;
    double real = 0;
    std::string_view text;  // the literal's value, its doubled quotes undone
};

struct ParameterisedStatement {
    std::string shape;  // the statement with '?' for every literal, without its ';'
    std::vector<SqlLiteral> literals;
    size_t length = 0;                  // bytes of the statement in the text, its ';' included
    std::deque<std::string> unescaped;  // values of literals that held doubled quotes

    void clear();
};

// For an INSERT, UPDATE or DELETE at the start of `text` that holds no sub-query, no
// parameters and no blob or hexadecimal literal: fills `out` and gives true. False
// means the statement has to run as written. Text views in `out` point into `text`.
bool parameterise(std::string_view text, ParameterisedStatement& out);

}  // namespace omrix::data
