// Arbitrary bytes through the calling sequence of the graph windows: Equation, Var "x", Solve,
// Solution. The input is the formula, optionally followed by a NUL byte and up to 8 bytes that
// make the value of x (x is 0 without them). Only the documented errors may reach the caller, and
// never an infinite or NaN value.
#include "clsEquation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool allowed(const RuntimeError &error)
{
    switch (error.number()) {
    case 6:
    case 11:
    case 1100:
    case 1101:
    case 1102:
    case 1104:
        return error.source() == "Interpretador" && !error.description().empty();
    default:
        return false;
    }
}

void solve(clsEquation &equation, double x)
{
    equation.Var("x", x);
    try {
        equation.Solve();
        if (!std::isfinite(equation.Solution()))
            std::abort();
    } catch (const RuntimeError &error) {
        if (!allowed(error))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    std::size_t formulaSize = size;
    double x = 0;
    if (const void *nul = size ? std::memchr(bytes, 0, size) : nullptr) {
        // A NUL is one more skipped character to the tokenizer, so it can serve as separator.
        formulaSize = std::size_t(static_cast<const char *>(nul) - bytes);
        unsigned char raw[sizeof x] = {};
        std::memcpy(raw, bytes + formulaSize + 1, std::min(sizeof raw, size - formulaSize - 1));
        std::memcpy(&x, raw, sizeof x);
    }

    clsEquation equation;
    equation.Equation(std::string(bytes, formulaSize));
    solve(equation, x);
    // The same tokens again with another x, as a plot's later fields would use them.
    solve(equation, std::isfinite(x) ? x / 2 + 1 : 0.5);
    return 0;
}
