// Pseudo-random single-precision numbers in [0, 1).
#include "Random.h"

#include <chrono>
#include <cstring>

namespace runtime {

namespace {

// One round of a 64-bit mixing function: every input bit reaches every output bit.
std::uint64_t mix(std::uint64_t z) noexcept
{
    z += 0x9e3779b97f4a7c15ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

// The top 24 bits make a single exactly, so the value is below 1 however it is rounded.
float toUnit(std::uint64_t bits) noexcept
{
    return float(bits >> 40) * (1.0f / 16777216.0f);
}

} // namespace

Random::Random() noexcept : m_state(0x2545f4914f6cdd1dull) {}

void Random::reseedFromClock() noexcept
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    // The counter keeps two reseeds within one clock tick apart.
    m_state = mix(m_state ^ mix(std::uint64_t(now)) ^ mix(++m_reseeds));
}

float Random::next() noexcept
{
    m_state += 0x9e3779b97f4a7c15ull;
    m_last = toUnit(mix(m_state));
    return m_last;
}

float Random::value(double argument) noexcept
{
    if (argument > 0)
        return next();
    if (argument == 0)
        return m_last;
    std::uint64_t bits;
    std::memcpy(&bits, &argument, sizeof bits);
    m_state = mix(bits);
    return next();
}

Random &threadRandom() noexcept
{
    thread_local Random generator;
    return generator;
}

} // namespace runtime
