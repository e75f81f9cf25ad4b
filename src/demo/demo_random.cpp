#include "demo/demo_random.h"

namespace omrix::demo {

int32_t DemoRandom::between(int32_t lo, int32_t hi) {
    if (hi <= lo) return lo;
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(hi) - lo) + 1;
    // Rejection keeps every value equally likely: draws above the last whole
    // multiple of the span are thrown back.
    const uint64_t limit = (uint64_t{1} << 32) / span * span;
    uint64_t draw = next();
    while (draw >= limit) draw = next();
    return static_cast<int32_t>(lo + static_cast<int64_t>(draw % span));
}

double DemoRandom::unit() {
    const uint64_t high = next() >> 5;                                    // 27 bits
    const uint64_t low = next() >> 6;                                     // 26 bits
    return static_cast<double>((high << 26) | low) / 9007199254740992.0;  // 2^53
}

std::size_t DemoRandom::weighted(std::span<const int32_t> weights) {
    int64_t total = 0;
    for (int32_t w : weights) total += w > 0 ? w : 0;
    if (total <= 0) return 0;
    int64_t draw = between(0, static_cast<int32_t>(total - 1));
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (weights[i] <= 0) continue;
        if (draw < weights[i]) return i;
        draw -= weights[i];
    }
    return weights.size() - 1;
}

}  // namespace omrix::demo
