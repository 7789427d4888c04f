// The function names and constants of the formula language and their values.
#include "FunctionTable.h"

#include "Random.h"
#include "RuntimeError.h"
#include "Values.h"

#include <array>
#include <cmath>

namespace interpreter {

namespace {

constexpr std::array<std::string_view, FunctionCount> callTokens = {
    "abs(", "arctg(", "atn(", "cos(", "exp(", "fix(", "int(", "log(", "rnd(", "sgn(", "sin(",
    "sen(", "sqr(", "tg(", "tan(", "min(", "max(", "random(", "mod(", "logn(", "rand(", "sec(",
    "cosec(", "cotan(", "cotg(", "arcsin(", "arcsen(", "arccos(", "arcsec(", "arccosec(",
    "arccotg(", "arccotan(", "sinh(", "senh(", "cosh(", "tgh(", "tanh(", "sech(", "cosech(",
    "cotgh(", "cotanh(", "arcsinh(", "arcsenh(", "arccosh(", "arctgh(", "arctanh(", "arcsech(",
    "arccosech(", "arccotgh(", "arccotanh(", "log10(", "log2(", "ln(", "graus(", "rad(", "mant(",
};

// Checked arithmetic that remembers the first failure: once an operation has failed, the later
// ones do nothing, so a formula written as a sequence of statements reports the error that the
// first failing statement raises.
class Arith {
public:
    int error = 0;

    double add(double a, double b) { return apply(runtime::tryAdd, a, b); }
    double sub(double a, double b) { return apply(runtime::trySub, a, b); }
    double mul(double a, double b) { return apply(runtime::tryMul, a, b); }
    double div(double a, double b) { return apply(runtime::tryDiv, a, b); }

    double sqrt(double a)
    {
        if (a < 0)
            fail(runtime::InvalidArgument);
        return error ? 0 : std::sqrt(a);
    }

    double ln(double a)
    {
        if (a <= 0)
            fail(runtime::InvalidArgument);
        return error ? 0 : std::log(a);
    }

    double exp(double a)
    {
        if (error)
            return 0;
        const double r = std::exp(a);
        fail(runtime::tryChecked(r));
        return r;
    }

private:
    void fail(int e)
    {
        if (!error)
            error = e;
    }

    template <class Op>
    double apply(Op op, double a, double b)
    {
        if (error)
            return 0;
        double r = 0;
        fail(op(a, b, r));
        return r;
    }
};

double sgn(double x)
{
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
}

double halfPi()
{
    return 2 * std::atan(1.0);
}

} // namespace

Function functionOfCall(std::string_view callToken) noexcept
{
    for (int i = 0; i < FunctionCount; ++i)
        if (callTokens[std::size_t(i)] == callToken)
            return Function(i);
    return Function::Unknown;
}

Constant constantOfName(std::string_view name) noexcept
{
    if (name == "pi")
        return Constant::Pi;
    if (name == "e")
        return Constant::E;
    if (name == "rnd")
        return Constant::Rnd;
    return Constant::None;
}

int evaluateFunction(Function function, double x, double y, double &value) noexcept
{
    Arith math;
    double result = 0;
    switch (function) {
    case Function::Abs:
        result = std::fabs(x);
        break;
    case Function::Arctg:
    case Function::Atn:
        result = std::atan(x);
        break;
    case Function::Cos:
        result = std::cos(x);
        break;
    case Function::Exp:
        result = math.exp(x);
        break;
    case Function::Fix:
        result = runtime::truncOf(x);
        break;
    case Function::Int:
        result = runtime::floorOf(x);
        break;
    case Function::Log:
    case Function::Ln:
        result = math.ln(x);
        break;
    case Function::Rnd: {
        runtime::Random &random = runtime::threadRandom();
        random.reseedFromClock();
        result = random.value(x);
        break;
    }
    case Function::Sgn:
        result = sgn(x);
        break;
    case Function::Sin:
    case Function::Sen:
        result = std::sin(x);
        break;
    case Function::Sqr:
        result = math.sqrt(x);
        break;
    case Function::Tg:
    case Function::Tan:
        result = std::tan(x);
        break;
    case Function::Min:
        result = x < y ? x : y;
        break;
    case Function::Max:
        result = x > y ? x : y;
        break;
    case Function::Random: {
        runtime::Random &random = runtime::threadRandom();
        random.reseedFromClock();
        const double r = random.next();
        const double d = math.sub(y, x);
        const double m = math.mul(r, d);
        result = math.add(m, x);
        break;
    }
    case Function::Mod: {
        std::int32_t remainder = 0;
        math.error = runtime::tryIntMod(x, y, remainder);
        result = remainder;
        break;
    }
    case Function::Logn: {
        const double ly = math.ln(y);
        const double lx = math.ln(x);
        result = math.div(lx, ly);
        break;
    }
    case Function::Rand: {
        runtime::Random &random = runtime::threadRandom();
        random.reseedFromClock();
        const double r = random.next();
        result = runtime::floorOf(math.mul(r, x));
        break;
    }
    case Function::Sec:
        result = math.div(1, std::cos(x));
        break;
    case Function::Cosec:
        result = math.div(1, std::sin(x));
        break;
    case Function::Cotan:
    case Function::Cotg:
        result = math.div(1, std::tan(x));
        break;
    case Function::Arcsin:
    case Function::Arcsen: {
        const double m = math.mul(-x, x);
        const double s = math.add(m, 1);
        const double q = math.sqrt(s);
        result = std::atan(math.div(x, q));
        break;
    }
    case Function::Arccos: {
        const double m = math.mul(-x, x);
        const double s = math.add(m, 1);
        const double q = math.sqrt(s);
        const double t = std::atan(math.div(-x, q));
        result = math.add(t, halfPi());
        break;
    }
    case Function::Arcsec: {
        const double m = math.mul(x, x);
        const double s = math.sub(m, 1);
        const double t = std::atan(math.sqrt(s));
        const double d = math.sub(t, halfPi());
        const double p = math.mul(d, sgn(x));
        result = math.add(p, halfPi());
        break;
    }
    case Function::Arccosec: {
        const double m = math.mul(x, x);
        const double s = math.sub(m, 1);
        const double q = math.sqrt(s);
        const double t = std::atan(math.div(1, q));
        result = math.mul(sgn(x), t);
        break;
    }
    case Function::Arccotg:
    case Function::Arccotan:
        result = math.sub(halfPi(), std::atan(x));
        break;
    case Function::Sinh:
    case Function::Senh: {
        const double p = math.exp(x);
        const double n = math.exp(-x);
        result = math.div(math.sub(p, n), 2);
        break;
    }
    case Function::Cosh: {
        const double p = math.exp(x);
        const double n = math.exp(-x);
        result = math.div(math.add(p, n), 2);
        break;
    }
    case Function::Tgh:
    case Function::Tanh: {
        const double p = math.exp(x);
        const double n = math.exp(-x);
        const double numerator = math.sub(p, n);
        const double denominator = math.add(p, n);
        result = math.div(numerator, denominator);
        break;
    }
    case Function::Sech: {
        const double p = math.exp(x);
        const double n = math.exp(-x);
        result = math.div(2, math.add(p, n));
        break;
    }
    case Function::Cosech: {
        const double p = math.exp(x);
        const double n = math.exp(-x);
        result = math.div(2, math.sub(p, n));
        break;
    }
    case Function::Cotgh:
    case Function::Cotanh: {
        const double p = math.exp(x);
        const double n = math.exp(-x);
        const double numerator = math.add(p, n);
        const double denominator = math.sub(p, n);
        result = math.div(numerator, denominator);
        break;
    }
    case Function::Arcsinh:
    case Function::Arcsenh: {
        const double m = math.mul(x, x);
        const double s = math.add(m, 1);
        const double q = math.sqrt(s);
        result = math.ln(math.add(x, q));
        break;
    }
    case Function::Arccosh: {
        const double m = math.mul(x, x);
        const double s = math.sub(m, 1);
        const double q = math.sqrt(s);
        result = math.ln(math.add(x, q));
        break;
    }
    case Function::Arctgh:
    case Function::Arctanh: {
        const double numerator = math.add(1, x);
        const double denominator = math.sub(1, x);
        const double l = math.ln(math.div(numerator, denominator));
        result = math.div(l, 2);
        break;
    }
    case Function::Arcsech: {
        const double m = math.mul(-x, x);
        const double s = math.add(m, 1);
        const double q = math.sqrt(s);
        const double numerator = math.add(q, 1);
        result = math.ln(math.div(numerator, x));
        break;
    }
    case Function::Arccosech: {
        const double m = math.mul(x, x);
        const double s = math.add(m, 1);
        const double q = math.sqrt(s);
        const double t = math.mul(sgn(x), q);
        const double numerator = math.add(t, 1);
        result = math.ln(math.div(numerator, x));
        break;
    }
    case Function::Arccotgh:
    case Function::Arccotanh: {
        const double numerator = math.add(x, 1);
        const double denominator = math.sub(x, 1);
        const double l = math.ln(math.div(numerator, denominator));
        result = math.div(l, 2);
        break;
    }
    case Function::Log10: {
        const double l = math.ln(x);
        result = math.div(l, std::log(10.0));
        break;
    }
    case Function::Log2: {
        const double l = math.ln(x);
        result = math.div(l, std::log(2.0));
        break;
    }
    case Function::Graus:
        result = math.mul(x, DegreesPerRadian);
        break;
    case Function::Rad:
        result = math.mul(x, RadiansPerDegree);
        break;
    case Function::Mant:
        result = math.sub(x, runtime::floorOf(x));
        break;
    case Function::Unknown:
        return runtime::InvalidArgument;
    }
    if (math.error)
        return math.error;
    value = result;
    return 0;
}

} // namespace interpreter
