// Pseudo-random single-precision numbers in [0, 1).
#pragma once

#include <cstdint>

namespace runtime {

class Random {
public:
    // A fixed starting state: without a reseed, every run draws the same sequence.
    Random() noexcept;

    // Mixes the clock into the state, so later draws differ from run to run.
    void reseedFromClock() noexcept;

    // The next value.
    float next() noexcept;

    // The value for an argument: above 0 the next value, 0 the last value again, below 0 a value
    // fixed by the argument alone (the sequence then goes on from it).
    float value(double argument) noexcept;

private:
    std::uint64_t m_state;
    std::uint64_t m_reseeds = 0;
    float m_last = 0;
};

// The generator that formulas evaluated on the calling thread draw from.
Random &threadRandom() noexcept;

} // namespace runtime
