#pragma once
// The program's one pseudo-random generator: uniform single-precision numbers
// in [0, 1). It starts from the same fixed state at every launch and the
// program never reseeds it; tests do.

#include <cstdint>
#include <random>

namespace garabix {

class Random {
public:
    void seed(uint32_t s) { engine.seed(s); }
    // 24 random bits scaled into [0, 1): every value is exact in a float.
    float next() { return static_cast<float>(engine() >> 8) * (1.0f / 16777216.0f); }

private:
    std::mt19937 engine{5489u};
};

} // namespace garabix
