#include "context/command_line.h"

#include <cmath>
#include <cstdint>

#include "context/app_context.h"
#include "util/ascii.h"
#include "util/numbers.h"
#include "util/text.h"

namespace omrix::context {
namespace {

// Case-blind for ASCII only: the keys are single Latin letters.
size_t findKey(std::string_view text, std::string_view needle) {
    if (needle.size() > text.size()) return std::string_view::npos;
    for (size_t at = 0; at + needle.size() <= text.size(); ++at) {
        size_t i = 0;
        while (i < needle.size() && util::asciiUpper(text[at + i]) == util::asciiUpper(needle[i]))
            ++i;
        if (i == needle.size()) return at;
    }
    return std::string_view::npos;
}

// Bytes of the UTF-8 character starting at text[at]; a stray byte counts alone.
size_t characterLength(std::string_view text, size_t at) {
    auto lead = static_cast<unsigned char>(text[at]);
    size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    size_t n = 1;
    while (n < length && at + n < text.size() &&
           (static_cast<unsigned char>(text[at + n]) & 0xC0) == 0x80) {
        ++n;
    }
    return n;
}

std::string commandLineValue(std::string_view key) {
    std::string value;
    fnGetCommandLineValue(key, value);
    return value;
}

}  // namespace

bool fnGetCommandLineValue(std::string_view key, std::string& value) {
    value.clear();
    if (key.empty()) return false;
    const std::string& line = appContext().CommandLine;
    std::string needle = "-" + std::string(key);
    size_t dash = findKey(line, needle);
    if (dash == std::string_view::npos) return false;

    size_t separator = dash + needle.size();
    if (separator >= line.size()) return false;
    size_t start = separator + characterLength(line, separator);
    // The value ends at the first blank after the dash, even when that blank is the separator.
    size_t end = line.find(' ', dash);
    if (end == std::string::npos) end = line.size();
    if (end <= start) return false;

    value = util::trimBlanks(std::string_view(line).substr(start, end - start));
    return !value.empty();
}

void sbReadCommandLine() {
    AppContext& context = appContext();
    context.BukkenNo = commandLineValue("B");
    context.HanNo = commandLineValue("H");
    context.BukkenName = commandLineValue("Q");
    // A T that is no number leaves the operator unknown, like a missing one.
    context.TantoshaID = util::fnCLngTextOr(commandLineValue("T"), 0);
}

// The caller's handle may come as any number; it is rounded into 32 bits here.
int32_t fnGetCallerWindow() {
    double handle = 0;
    if (!util::fnCDblText(commandLineValue("W"), handle)) return 0;
    handle = std::nearbyint(handle);
    if (!(handle >= INT32_MIN && handle <= INT32_MAX)) return 0;
    return static_cast<int32_t>(handle);
}

std::string joinArguments(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

}  // namespace omrix::context
