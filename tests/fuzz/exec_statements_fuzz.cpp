// omrix-db exec's text on any bytes: the split into statements and the trace's
// password masking of each.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/core/debug_log.h"
#include "data/drivers/sql_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::string_view statement : omrix::data::splitStatements(text)) {
        // Each statement is a non-empty piece of the text itself.
        if (statement.empty() || statement.data() < text.data() ||
            statement.data() + statement.size() > text.data() + text.size())
            __builtin_trap();
        (void)omrix::data::leadingKeyword(statement);
        const std::string masked = omrix::data::withoutPasswords(statement);
        // A statement that names no password column is traced as written.
        if (!omrix::data::namesPasswordColumn(statement) && masked != statement) __builtin_trap();
    }
    return 0;
}
