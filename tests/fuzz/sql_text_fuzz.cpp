// Quoting and the identifier fold on any text: a quoted text stays one literal, and
// folding never opens or closes a literal.
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/tables/record_conventions.h"
#include "data/drivers/sql_text.h"

namespace {

// Every quote of a text: folding must keep each one where literals begin and end.
size_t literalQuotes(std::string_view sql) {
    size_t count = 0;
    for (char c : sql) count += c == '\'';
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int32_t limit = data[0] % 70;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string quoted = omrix::data::fnSqlQuote(text, limit);
    const std::string statement = "Select '" + quoted + "' From 内訳";
    // Every quote inside the literal is doubled: the literal ends where it should.
    for (size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] != '\'') continue;
        if (i + 1 >= quoted.size() || quoted[i + 1] != '\'') __builtin_trap();
        ++i;
    }
    const std::string folded = omrix::data::foldSqlText(statement);
    if (literalQuotes(folded) != literalQuotes(statement)) __builtin_trap();
    (void)omrix::data::foldSqlText(text);
    (void)omrix::data::columnNameKey(text);
    (void)omrix::data::splitStatements(text);
    (void)omrix::data::leadingKeyword(text);
    return 0;
}
