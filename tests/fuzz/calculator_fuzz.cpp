// The formula calculator on any text, full-width forms included: a number or a
// failure, never a crash; the normalised text is kept for the caller.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/calculator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static omrix::platform::Calculator calculator;
    std::string text(reinterpret_cast<const char*>(data), size);
    double result = -1;
    const int32_t ok = omrix::platform::QUILAN00_Calculation(text, 2, result, &calculator);
    if (ok == 0 && result != 0.0) __builtin_trap();
    if (ok != 0 && !std::isfinite(result)) __builtin_trap();
    (void)omrix::platform::normalizeExpression(text);
    return 0;
}
