// Any bytes as a cell's text, the workbook's title and a sheet name: the workbook closes
// whole, and what a reader decodes from the cell is the cleaned text, byte for byte.
#include <unistd.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "reports/workbooks/workbook_writer.h"
#include "util/clean_text.h"
#include "util/utf8.h"

namespace {

// A reader's decoding: every "_xHHHH_" (either case) is the character of that code.
std::string readBack(const std::string& cell) {
    auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    std::string out;
    for (std::size_t i = 0; i < cell.size();) {
        if (i + 7 <= cell.size() && cell[i] == '_' && (cell[i + 1] == 'x' || cell[i + 1] == 'X') &&
            cell[i + 6] == '_' && hex(cell[i + 2]) && hex(cell[i + 3]) && hex(cell[i + 4]) &&
            hex(cell[i + 5])) {
            omrix::util::appendUtf8(out, std::stoul(cell.substr(i + 2, 4), nullptr, 16));
            i += 7;
            continue;
        }
        out += cell[i++];
    }
    return out;
}

const std::string& scratchPath() {
    static const std::string path = "/dev/shm/omrix_fuzz_" + std::to_string(::getpid()) + ".xlsx";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace omrix::reports;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string cell = workbookText(text);
    if (readBack(cell) != omrix::util::cleanText(text)) __builtin_trap();
    {
        Workbook book(scratchPath(), true, text);
        Worksheet& sheet = book.addSheet("内訳書");
        sheet.text(0, 0, text, CellStyle{.wrap = true});
        if (!book.close()) __builtin_trap();
    }
    ::unlink(scratchPath().c_str());
    return 0;
}
