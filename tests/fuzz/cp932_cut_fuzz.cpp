// Byte widths on any text: a cut fits its width and never splits a character, an
// aligned text is exactly its width.
#include <cstddef>
#include <cstdint>
#include <string>

#include "util/aligned_text.h"
#include "util/cp932.h"
#include "util/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int32_t width = data[0] % 80;
    const int16_t alignment = static_cast<int16_t>(data[1] % 4);
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

    const std::string cut = omrix::util::cutToBytes(text, width);
    if (omrix::util::fnLenByte(cut) > width) __builtin_trap();
    (void)omrix::util::fnLeftB(text, width);
    (void)omrix::util::fnRightB(text, width);
    (void)omrix::util::cp932ToUtf8(text);
    (void)omrix::util::utf8ToCp932(text);

    std::string aligned = text;
    const std::string out =
        omrix::util::fnAlignByBytes(aligned, alignment, static_cast<int16_t>(width));
    // Padded to the width exactly, unless the trimmed text was wider already.
    if (omrix::util::fnLenByte(aligned) <= width && omrix::util::fnLenByte(out) != width)
        __builtin_trap();
    return 0;
}
