// The INI reader on any bytes: reading, writing a key back and reading it again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "context/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    omrix::context::IniDocument document(bytes);
    // Unchanged, a document gives back the bytes it was read from.
    if (document.bytes() != bytes) __builtin_trap();
    (void)document.value("DATABASE", "DB_NAME");
    (void)document.value(" kalveron ", "printcomapnyname");
    const std::string value = "株式会社A ;B支店";
    if (document.setValue("KALVERON", "PRINTCOMAPNYNAME", value)) {
        omrix::context::IniDocument again(document.bytes());
        // A CP932 file cannot hold every character, so only UTF-8 files are held to it.
        if (!again.isCp932() && again.value("KALVERON", "PRINTCOMAPNYNAME") != value)
            __builtin_trap();
    }
    return 0;
}
