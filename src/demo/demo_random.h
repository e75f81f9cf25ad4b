#pragma once
// The demo's source of chance. std::mt19937 gives the same numbers everywhere, the
// standard distributions do not, so the draws are made here from its raw output.

#include <cstddef>
#include <cstdint>
#include <random>
#include <span>

namespace omrix::demo {

class DemoRandom {
  public:
    explicit DemoRandom(uint32_t seed) : engine_(seed) {}

    uint32_t next() { return static_cast<uint32_t>(engine_()); }
    // lo..hi inclusive, every value equally likely; lo when hi < lo.
    int32_t between(int32_t lo, int32_t hi);
    // [0, 1) with 53 random bits.
    double unit();
    // lo..hi (hi excluded).
    double real(double lo, double hi) { return lo + (hi - lo) * unit(); }
    bool chance(double probability) { return unit() < probability; }
    // An index drawn with the given weights; 0 when every weight is 0.
    std::size_t weighted(std::span<const int32_t> weights);

    template <typename T>
    const T& pick(std::span<const T> items) {
        return items[static_cast<std::size_t>(between(0, static_cast<int32_t>(items.size()) - 1))];
    }

  private:
    std::mt19937 engine_;
};

}  // namespace omrix::demo
