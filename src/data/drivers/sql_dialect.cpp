#include "data/drivers/sql_dialect.h"

#include <regex>

#include "data/drivers/sql_text.h"
#include "util/ascii.h"

namespace omrix::data {
namespace {

// SQLSTATE of a refused unique or primary key: PostgreSQL's own class 23 code, and
// SQL Server's general integrity class with its two duplicate-key errors.
constexpr std::string_view kPostgresUniqueViolation = "23505";
constexpr std::string_view kIntegrityViolation = "23000";
constexpr int32_t kSqlServerDuplicateKey = 2627;
constexpr int32_t kSqlServerDuplicateIndexKey = 2601;

// The embedded schema's column default for "now", written the SQLite way.
constexpr std::string_view kEmbeddedNow = "datetime('now', 'localtime')";
constexpr std::string_view kServerNow = "GetDate()";

// The functions of SQL Server that the module's statements call. GetDate() is the
// statement's start in the database's time zone, to the millisecond as datetime is.
constexpr std::string_view kPostgresFunctions =
    "CREATE OR REPLACE FUNCTION GetDate() RETURNS TIMESTAMP(3) LANGUAGE sql STABLE "
    "AS 'SELECT statement_timestamp()::TIMESTAMP(3)';\n"
    "CREATE OR REPLACE FUNCTION Len(TEXT) RETURNS INTEGER LANGUAGE sql IMMUTABLE "
    "AS 'SELECT length(rtrim($1))';\n";

bool isWordByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           (static_cast<unsigned char>(c) & 0x80) != 0;
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Copies `sql` with its code handed to `onWord` a word at a time (a run of letters,
// digits, '_' and non-ASCII bytes) and `onBracket` a bracketed name at a time;
// literals and quoted names pass as written, comments are dropped when asked.
template <typename OnWord, typename OnBracket>
std::string rewriteCode(std::string_view sql, bool dropComments, OnWord onWord,
                        OnBracket onBracket) {
    std::string out;
    out.reserve(sql.size() + sql.size() / 16);
    size_t i = 0;
    while (i < sql.size()) {
        char c = sql[i];
        size_t end = i + 1;
        if (const SqlSpan* span = sqlSpanAt(sql, i)) {
            const size_t close = sqlSpanEnd(sql, i, *span);
            end = close == std::string_view::npos ? sql.size() : close;
            if (span->kind == SqlSpanKind::BracketedName) {
                onBracket(
                    sql.substr(i + 1, close == std::string_view::npos ? close : close - i - 2),
                    out);
                i = end;
                continue;
            }
            if (span->isComment() && dropComments) {
                out += span->kind == SqlSpanKind::LineComment ? '\n' : ' ';
                i = end;
                continue;
            }
        } else if (isWordByte(c)) {
            while (end < sql.size() && isWordByte(sql[end])) ++end;
            onWord(sql.substr(i, end - i), out);
            i = end;
            continue;
        }
        out.append(sql.substr(i, end - i));
        i = end;
    }
    return out;
}

void keepWord(std::string_view word, std::string& out) {
    out.append(word);
}

void keepBracket(std::string_view name, std::string& out) {
    out += '[';
    out.append(name);
    out += ']';
}

// Comments go from the schema: they hold quotes, semicolons and sample expressions
// that the server need not see.
std::string withoutComments(std::string_view sql) {
    return rewriteCode(sql, true, keepWord, keepBracket);
}

class SqlServerDialect : public SqlDialect {
  public:
    std::string_view name() const override { return "Microsoft SQL Server"; }
    std::string statementText(std::string_view sql) const override { return std::string(sql); }
    // SQL Server plans a batch of inserts as cheaply as it would one statement.
    bool batchesInserts() const override { return false; }
    std::string columnTypesQuery(std::string_view) const override { return {}; }
    std::string insertBatchText(const InsertBatch&, const ColumnTypeNames&) const override {
        return {};
    }
    std::string schemaText(std::string_view schemaSql) const override {
        // SQL Server indexes columns, not expressions; its comparisons ignore
        // trailing blanks anyway, so the plain column serves the same look-ups.
        static const std::regex trimmedTwice(R"(LTrim\(RTrim\(([^()]*)\)\))");
        static const std::regex trimmedRight(R"(RTrim\(([^()]*)\))");
        std::string code = withoutComments(schemaSql);
        std::string out;
        for (std::string_view statement : splitStatements(code)) {
            std::string text = replaceAll(std::string(statement), kEmbeddedNow, kServerNow);
            std::string keyword = leadingKeyword(statement);
            if (keyword == "CREATE" && text.find(" INDEX ") != std::string::npos) {
                text = std::regex_replace(text, trimmedTwice, "$1");
                text = std::regex_replace(text, trimmedRight, "$1");
            }
            out += text;
            out += ";\n";
        }
        return out;
    }
    bool isKeyViolation(std::string_view sqlState, int32_t nativeError) const override {
        return sqlState == kIntegrityViolation && (nativeError == kSqlServerDuplicateKey ||
                                                   nativeError == kSqlServerDuplicateIndexKey);
    }
    std::string savepoint(std::string_view name) const override {
        return "SAVE TRANSACTION " + std::string(name);
    }
    std::string rollbackToSavepoint(std::string_view name) const override {
        return "ROLLBACK TRANSACTION " + std::string(name);
    }
    std::string releaseSavepoint(std::string_view) const override { return {}; }
};

class PostgresDialect : public SqlDialect {
  public:
    std::string_view name() const override { return "PostgreSQL"; }

    // Identifiers fold to half width as the embedded database's do. A bracketed name
    // becomes a quoted one in lower case, the form PostgreSQL gives unquoted names.
    std::string statementText(std::string_view sql) const override {
        std::string folded = foldSqlText(sql);
        if (folded.find('[') == std::string::npos) return folded;
        return rewriteCode(folded, false, keepWord, quoteBracket);
    }

    // PostgreSQL parses, plans and runs each INSERT of a batch apart; one INSERT of a
    // column array per column costs it a fraction of that. Names of plain words
    // only, so the table name can stand in a literal.
    bool batchesInserts() const override { return true; }
    std::string columnTypesQuery(std::string_view table) const override {
        return "SELECT a.attname, t.typname FROM pg_attribute a JOIN pg_type t ON t.oid = "
               "a.atttypid WHERE a.attrelid = to_regclass('" +
               std::string(table) + "') AND a.attnum > 0 AND NOT a.attisdropped";
    }
    std::string insertBatchText(const InsertBatch& batch,
                                const ColumnTypeNames& types) const override {
        return unnestedInsertText(batch, types);
    }

    std::string schemaText(std::string_view schemaSql) const override {
        std::string text = replaceAll(withoutComments(schemaSql), kEmbeddedNow, kServerNow);
        text = rewriteCode(text, false, serverType, quoteBracket);
        return std::string(kPostgresFunctions) + foldSqlText(text);
    }

    bool isKeyViolation(std::string_view sqlState, int32_t) const override {
        return sqlState == kPostgresUniqueViolation;
    }
    std::string savepoint(std::string_view name) const override {
        return "SAVEPOINT " + std::string(name);
    }
    std::string rollbackToSavepoint(std::string_view name) const override {
        return "ROLLBACK TO SAVEPOINT " + std::string(name);
    }
    std::string releaseSavepoint(std::string_view name) const override {
        return "RELEASE SAVEPOINT " + std::string(name);
    }

  private:
    static void quoteBracket(std::string_view name, std::string& out) {
        out += '"';
        for (char c : name) {
            if (c == '"') out += '"';
            out += util::asciiLower(c);
        }
        out += '"';
    }
    // The embedded schema's column types as PostgreSQL names them: national
    // character types are plain ones (the database is UTF-8), DATETIME keeps
    // SQL Server's millisecond precision.
    static void serverType(std::string_view word, std::string& out) {
        if (util::equalsIgnoringAsciiCase(word, "DATETIME")) {
            out += "TIMESTAMP(3)";
        } else if (util::equalsIgnoringAsciiCase(word, "NVARCHAR")) {
            out += "VARCHAR";
        } else if (util::equalsIgnoringAsciiCase(word, "NCHAR")) {
            out += "CHAR";
        } else {
            out.append(word);
        }
    }
};

}  // namespace

std::unique_ptr<SqlDialect> dialectForDbms(std::string_view dbmsName) {
    if (dbmsName.find("PostgreSQL") != std::string_view::npos)
        return std::make_unique<PostgresDialect>();
    return std::make_unique<SqlServerDialect>();
}

}  // namespace omrix::data
