// The value rules of arithmetic: doubles that never become infinite or NaN, rounding, whole-number
// conversions, integer division and modulo, powers and stepped loops over doubles.
//
// Each operation comes in two forms: `tryX(..., out)` returns 0 or the runtime error number and
// never throws (the interpreter resumes after some failures and needs no exception for that);
// `x(...)` returns the value and raises the error as a RuntimeError. The hot ones are inline.
#pragma once

#include "RuntimeError.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace runtime {

inline int tryChecked(double value) noexcept
{
    return std::isfinite(value) ? 0 : Overflow;
}

inline double checked(double value)
{
    if (!std::isfinite(value)) [[unlikely]]
        raise(Overflow);
    return value;
}

inline int tryAdd(double a, double b, double &out) noexcept
{
    out = a + b;
    return tryChecked(out);
}

inline int trySub(double a, double b, double &out) noexcept
{
    out = a - b;
    return tryChecked(out);
}

inline int tryMul(double a, double b, double &out) noexcept
{
    out = a * b;
    return tryChecked(out);
}

// A non-zero number over zero is a division by zero; 0/0 has no value at all, an overflow.
inline int tryDiv(double a, double b, double &out) noexcept
{
    if (b == 0) [[unlikely]]
        return a == 0 ? Overflow : DivisionByZero;
    out = a / b;
    return tryChecked(out);
}

inline double add(double a, double b) { return checked(a + b); }
inline double sub(double a, double b) { return checked(a - b); }
inline double mul(double a, double b) { return checked(a * b); }

inline double div(double a, double b)
{
    double out;
    if (int e = tryDiv(a, b, out)) [[unlikely]]
        raise(e);
    return out;
}

// base^exponent as a double; a negative base needs a whole exponent.
inline int tryPower(double base, double exponent, double &out) noexcept
{
    if (base < 0 && std::trunc(exponent) != exponent) [[unlikely]]
        return InvalidArgument;
    out = std::pow(base, exponent);
    return tryChecked(out);
}

inline double power(double base, double exponent)
{
    double out;
    if (int e = tryPower(base, exponent, out)) [[unlikely]]
        raise(e);
    return out;
}

// Nearest whole number, ties to the even neighbour: 2.5 gives 2, 3.5 gives 4.
inline double roundHalfEven(double value) noexcept
{
    return std::nearbyint(value);
}

inline double floorOf(double value) noexcept { return std::floor(value); }
inline double truncOf(double value) noexcept { return std::trunc(value); }

inline int tryToInt32(double value, std::int32_t &out) noexcept
{
    const double r = roundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) [[unlikely]]
        return Overflow;
    out = static_cast<std::int32_t>(r);
    return 0;
}

// Nearest single; beyond the largest single (once rounded) is an overflow.
inline int tryToSingle(double value, float &out) noexcept
{
    // Halfway between FLT_MAX and the next power of two: from there on the nearest single is infinite.
    constexpr double limit = 0x1.ffffffp127;
    if (!(std::fabs(value) < limit)) [[unlikely]]
        return Overflow;
    if (std::fabs(value) > double(FLT_MAX))
        out = value < 0 ? -FLT_MAX : FLT_MAX;
    else
        out = static_cast<float>(value);
    return 0;
}

inline std::int32_t toInt32(double value)
{
    std::int32_t out;
    if (int e = tryToInt32(value, out)) [[unlikely]]
        raise(e);
    return out;
}

inline float toSingle(double value)
{
    float out;
    if (int e = tryToSingle(value, out)) [[unlikely]]
        raise(e);
    return out;
}

// Integer quotient and remainder: both operands are first made 32-bit integers (left first), the
// quotient truncates toward zero and the remainder takes the dividend's sign.
inline int tryIntOperands(double a, double b, std::int32_t &ia, std::int32_t &ib) noexcept
{
    if (int e = tryToInt32(a, ia))
        return e;
    if (int e = tryToInt32(b, ib))
        return e;
    return ib == 0 ? DivisionByZero : 0;
}

inline int tryIntDiv(double a, double b, std::int32_t &out) noexcept
{
    std::int32_t ia, ib;
    if (int e = tryIntOperands(a, b, ia, ib))
        return e;
    if (ia == INT32_MIN && ib == -1) // the one quotient that does not fit
        return Overflow;
    out = ia / ib;
    return 0;
}

inline int tryIntMod(double a, double b, std::int32_t &out) noexcept
{
    std::int32_t ia, ib;
    if (int e = tryIntOperands(a, b, ia, ib))
        return e;
    out = ib == -1 ? 0 : ia % ib; // INT32_MIN % -1 is 0 but traps on some machines
    return 0;
}

inline std::int32_t intDiv(double a, double b)
{
    std::int32_t out;
    if (int e = tryIntDiv(a, b, out)) [[unlikely]]
        raise(e);
    return out;
}

inline std::int32_t intMod(double a, double b)
{
    std::int32_t out;
    if (int e = tryIntMod(a, b, out)) [[unlikely]]
        raise(e);
    return out;
}

// A loop over doubles: start, end and step are fixed when it begins; a pass runs while the value
// has not passed the end in the step's direction (a zero step counts as upward), and the step is
// added after each pass. A zero step, or one too small to move the value, never ends by itself:
// callers that can meet one must guard against it.
struct SteppedLoop {
    double start;
    double end;
    double step;

    bool runs(double value) const noexcept { return step >= 0 ? value <= end : value >= end; }
    double next(double value) const { return add(value, step); }
};

} // namespace runtime
