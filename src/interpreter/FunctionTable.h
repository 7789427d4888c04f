// The function names and constants of the formula language and their values.
#pragma once

#include <cstdint>
#include <string_view>

namespace interpreter {

// In the order of the function table.
enum class Function : std::uint8_t {
    Abs, Arctg, Atn, Cos, Exp, Fix, Int, Log, Rnd, Sgn, Sin, Sen, Sqr, Tg, Tan, Min, Max, Random,
    Mod, Logn, Rand, Sec, Cosec, Cotan, Cotg, Arcsin, Arcsen, Arccos, Arcsec, Arccosec, Arccotg,
    Arccotan, Sinh, Senh, Cosh, Tgh, Tanh, Sech, Cosech, Cotgh, Cotanh, Arcsinh, Arcsenh, Arccosh,
    Arctgh, Arctanh, Arcsech, Arccosech, Arccotgh, Arccotanh, Log10, Log2, Ln, Graus, Rad, Mant,
    Unknown,
};

inline constexpr int FunctionCount = int(Function::Unknown);

// The function of a call token ("sin(", "log10("), compared exactly; Unknown for any other text.
Function functionOfCall(std::string_view callToken) noexcept;

enum class Constant : std::uint8_t { None, Pi, E, Rnd };

inline constexpr double PiValue = 3.14159265358979;
inline constexpr double EValue = 2.718281828;
inline constexpr double DegreesPerRadian = 57.2957795131;
inline constexpr double RadiansPerDegree = 0.01745329251995;

// The constant a name stands for ("pi", "e", "rnd", compared exactly), None for a variable.
Constant constantOfName(std::string_view name) noexcept;

// The value of a function for its first and last argument. Returns 0 with the value, or the
// runtime error number (5 outside the domain, 6 overflow, 11 division by zero).
int evaluateFunction(Function function, double x, double y, double &value) noexcept;

} // namespace interpreter
