#include "data/drivers/sql_text.h"
#include "util/ascii.h"

#include <array>
#include <charconv>
#include <cstring>

namespace omrix::data {
namespace {

// UTF-8 of U+FF01..U+FF3F is EF BC 81..BF, of U+FF40..U+FF5E is EF BD 80..9E.
bool isFullWidthAscii(std::string_view s, size_t i) {
    if (i + 2 >= s.size()) return false;
    auto b1 = static_cast<unsigned char>(s[i + 1]);
    auto b2 = static_cast<unsigned char>(s[i + 2]);
    if (static_cast<unsigned char>(s[i]) != 0xEF) return false;
    return (b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF) || (b1 == 0xBD && b2 >= 0x80 && b2 <= 0x9E);
}

char halfWidthOf(std::string_view s, size_t i) {
    auto b1 = static_cast<unsigned char>(s[i + 1]);
    auto b2 = static_cast<unsigned char>(s[i + 2]);
    return static_cast<char>(b1 == 0xBC ? b2 - 0x60 : b2 - 0x20);
}

bool changesTokens(char c) {
    return std::strchr("'\"[]`-/*;", c) != nullptr;
}

// The bytes that open a span; most bytes of a text open none and are passed at once.
constexpr std::array<bool, 256> kSpanOpeners = [] {
    std::array<bool, 256> opens{};
    for (const SqlSpan& span : kSqlSpans) opens[static_cast<unsigned char>(span.open[0])] = true;
    return opens;
}();

// The bytes the fold has to look at: span openers and the lead byte of full-width forms.
constexpr std::array<bool, 256> kFoldStops = [] {
    std::array<bool, 256> stops = kSpanOpeners;
    stops[0xEF] = true;
    return stops;
}();

constexpr std::array<bool, 256> kNameBytes = [] {
    std::array<bool, 256> name{};
    for (int b = 0; b < 256; ++b) {
        name[b] = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                  b == '_' || b == '$' || b >= 0x80;
    }
    return name;
}();

bool nameByte(char c) {
    return kNameBytes[static_cast<unsigned char>(c)];
}

}  // namespace

const SqlSpan* sqlSpanAt(std::string_view sql, size_t i, bool withBackticks) {
    if (i >= sql.size() || !kSpanOpeners[static_cast<unsigned char>(sql[i])]) return nullptr;
    for (const SqlSpan& span : kSqlSpans) {
        if (span.kind == SqlSpanKind::BacktickName && !withBackticks) continue;
        if (sql.substr(i, span.open.size()) == span.open) return &span;
    }
    return nullptr;
}

size_t sqlSpanEnd(std::string_view sql, size_t i, const SqlSpan& span) {
    size_t at = sql.find(span.close, i + span.open.size());
    if (at != std::string_view::npos) return at + span.close.size();
    return span.kind == SqlSpanKind::LineComment ? sql.size() : std::string_view::npos;
}

std::string foldSqlText(std::string_view sql) {
    // Most statements hold no full-width ASCII at all (every one does hold kanji).
    size_t first = std::string_view::npos;
    for (size_t i = sql.find('\xEF'); i != std::string_view::npos; i = sql.find('\xEF', i + 1)) {
        if (isFullWidthAscii(sql, i)) {
            first = i;
            break;
        }
    }
    if (first == std::string_view::npos) return std::string(sql);

    // Whole runs of bytes are copied at once; only the bytes that can open a literal,
    // a name or a comment, and the lead byte of full-width forms, are looked at.
    std::string out;
    out.reserve(sql.size());
    size_t copied = 0;
    auto foldAt = [&](size_t k) {
        out.append(sql.substr(copied, k - copied));
        out += halfWidthOf(sql, k);
        copied = k + 3;
    };
    auto folds = [&](size_t k) {
        return sql[k] == '\xEF' && isFullWidthAscii(sql, k) && !changesTokens(halfWidthOf(sql, k));
    };
    for (size_t i = 0; i < sql.size();) {
        if (!kFoldStops[static_cast<unsigned char>(sql[i])]) {
            ++i;
        } else if (const SqlSpan* span = sqlSpanAt(sql, i)) {
            size_t end = sqlSpanEnd(sql, i, *span);
            size_t stop = end == std::string_view::npos ? sql.size() : end;
            // Names in quotes or brackets are folded too; literals and comments are not.
            if (span->isName()) {
                for (size_t k = i + 1; k < stop; ++k) {
                    if (!folds(k)) continue;
                    foldAt(k);
                    k += 2;
                }
            }
            i = stop;
        } else if (folds(i)) {
            foldAt(i);
            i += 3;
        } else {
            ++i;
        }
    }
    out.append(sql.substr(copied));
    return out;
}

std::string columnNameKey(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c == '\xEF' && isFullWidthAscii(name, i)) {
            c = halfWidthOf(name, i);
            i += 2;
        }
        out += util::asciiLower(c);
    }
    return out;
}

std::vector<std::string_view> splitStatements(std::string_view sql) {
    std::vector<size_t> ends;
    for (size_t i = 0; i < sql.size();) {
        if (const SqlSpan* span = sqlSpanAt(sql, i)) {
            size_t end = sqlSpanEnd(sql, i, *span);
            i = end == std::string_view::npos ? sql.size() : end;
            continue;
        }
        if (sql[i] == ';') ends.push_back(i);
        ++i;
    }
    ends.push_back(sql.size());

    std::vector<std::string_view> out;
    size_t start = 0;
    for (size_t end : ends) {
        std::string_view piece = sql.substr(start, end - start);
        size_t first = piece.find_first_not_of(" \t\r\n");
        if (first != std::string_view::npos) {
            size_t last = piece.find_last_not_of(" \t\r\n");
            out.push_back(piece.substr(first, last - first + 1));
        }
        start = end + 1;
    }
    return out;
}

std::string leadingKeyword(std::string_view statement) {
    size_t i = 0;
    while (i < statement.size()) {
        if (std::strchr(" \t\r\n", statement[i]) != nullptr) {
            ++i;
        } else if (const SqlSpan* span = sqlSpanAt(statement, i); span && span->isComment()) {
            size_t end = sqlSpanEnd(statement, i, *span);
            i = end == std::string_view::npos ? statement.size() : end;
        } else {
            break;
        }
    }
    std::string word;
    for (; i < statement.size(); ++i) {
        char c = statement[i];
        if (!util::isAsciiLetter(c)) break;
        word += util::asciiUpper(c);
    }
    return word;
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool equalsWord(std::string_view word, std::string_view upper) {
    return util::equalsIgnoringAsciiCase(word, upper);
}

// Index just past the literal starting at `i`; npos when it is not closed.
size_t literalEnd(std::string_view s, size_t i, bool& doubled) {
    doubled = false;
    for (size_t k = s.find('\'', i + 1); k != std::string_view::npos; k = s.find('\'', k + 2)) {
        if (k + 1 >= s.size() || s[k + 1] != '\'') return k + 1;
        doubled = true;
    }
    return std::string_view::npos;
}

}  // namespace

bool isSqlNameByte(char c) {
    return nameByte(c);
}

size_t sqlNumberEnd(std::string_view s, size_t i, bool& real) {
    real = false;
    size_t k = i;
    if (s.substr(k, 2) == "0x" || s.substr(k, 2) == "0X") return std::string_view::npos;
    while (k < s.size() && isDigit(s[k])) ++k;
    if (k < s.size() && s[k] == '.') {
        real = true;
        ++k;
        while (k < s.size() && isDigit(s[k])) ++k;
    }
    if (k < s.size() && (s[k] == 'e' || s[k] == 'E')) {
        size_t e = k + 1;
        if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
        if (e >= s.size() || !isDigit(s[e])) return std::string_view::npos;
        while (e < s.size() && isDigit(s[e])) ++e;
        real = true;
        k = e;
    }
    if (k < s.size() && (nameByte(s[k]) || s[k] == '.')) return std::string_view::npos;
    return k;
}

void ParameterisedStatement::clear() {
    shape.clear();
    literals.clear();
    unescaped.clear();
    length = 0;
}

bool parameterise(std::string_view s, ParameterisedStatement& out) {
    out.clear();
    std::string keyword = leadingKeyword(s);
    if (keyword != "INSERT" && keyword != "UPDATE" && keyword != "DELETE") return false;
    size_t i = 0;
    const SqlSpan* span = nullptr;
    while (i < s.size()) {
        char c = s[i];
        char previous = i > 0 ? s[i - 1] : ' ';
        if (c == ';') {
            out.length = i + 1;
            return true;
        }
        if (c == '\'') {
            // x'..' is a blob.
            if ((previous == 'x' || previous == 'X') && (i < 2 || !nameByte(s[i - 2])))
                return false;
            bool doubled = false;
            size_t end = literalEnd(s, i, doubled);
            if (end == std::string_view::npos) return false;
            SqlLiteral literal;
            literal.kind = SqlLiteral::Kind::Text;
            literal.text = s.substr(i + 1, end - i - 2);
            if (doubled) {
                std::string value;
                for (size_t k = 0; k < literal.text.size(); ++k) {
                    value += literal.text[k];
                    if (literal.text[k] == '\'') ++k;
                }
                literal.text = out.unescaped.emplace_back(std::move(value));
            }
            out.literals.push_back(literal);
            out.shape += '?';
            i = end;
        } else if (kSpanOpeners[static_cast<unsigned char>(c)] &&
                   (span = sqlSpanAt(s, i, true)) != nullptr) {
            // A quoted name or a comment is copied as it stands.
            size_t end = sqlSpanEnd(s, i, *span);
            if (end == std::string_view::npos) return false;
            out.shape.append(s.substr(i, end - i));
            i = end;
        } else if (c == '?' || c == ':' || c == '@' || (c == '$' && !nameByte(previous))) {
            return false;
        } else if ((isDigit(c) || (c == '.' && i + 1 < s.size() && isDigit(s[i + 1]))) &&
                   !nameByte(previous)) {
            bool real = false;
            size_t end = sqlNumberEnd(s, i, real);
            if (end == std::string_view::npos) return false;
            SqlLiteral literal;
            const char* first = s.data() + i;
            const char* last = s.data() + end;
            auto result = real ? std::from_chars(first, last, literal.real)
                               : std::from_chars(first, last, literal.integer);
            bool parsed = result.ec == std::errc() && result.ptr == last;
            if (parsed) {
                literal.kind = real ? SqlLiteral::Kind::Real : SqlLiteral::Kind::Integer;
                out.literals.push_back(literal);
                out.shape += '?';
            } else {
                out.shape.append(first, last);  // beyond 64 bits: the engine decides
            }
            i = end;
        } else if (nameByte(c)) {
            size_t end = i;
            while (end < s.size() && nameByte(s[end])) ++end;
            if (equalsWord(s.substr(i, end - i), "SELECT")) return false;
            out.shape.append(s.substr(i, end - i));
            i = end;
        } else {
            out.shape += c;
            ++i;
        }
    }
    out.length = s.size();
    return true;
}

}  // namespace omrix::data
