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
    Arith a;
    double v = 0;
    switch (function) {
    case Function::Abs:
        v = std::fabs(x);
        break;
    case Function::Arctg:
    case Function::Atn:
        v = std::atan(x);
        break;
    case Function::Cos:
        v = std::cos(x);
        break;
    case Function::Exp:
        v = a.exp(x);
        break;
    case Function::Fix:
        v = runtime::truncOf(x);
        break;
    case Function::Int:
        v = runtime::floorOf(x);
        break;
    case Function::Log:
    case Function::Ln:
        v = a.ln(x);
        break;
    case Function::Rnd: {
        runtime::Random &random = runtime::threadRandom();
        random.reseedFromClock();
        v = random.value(x);
        break;
    }
    case Function::Sgn:
        v = sgn(x);
        break;
    case Function::Sin:
    case Function::Sen:
        v = std::sin(x);
        break;
    case Function::Sqr:
        v = a.sqrt(x);
        break;
    case Function::Tg:
    case Function::Tan:
        v = std::tan(x);
        break;
    case Function::Min:
        v = x < y ? x : y;
        break;
    case Function::Max:
        v = x > y ? x : y;
        break;
    case Function::Random: {
        runtime::Random &random = runtime::threadRandom();
        random.reseedFromClock();
        const double r = random.next();
        const double d = a.sub(y, x);
        const double m = a.mul(r, d);
        v = a.add(m, x);
        break;
    }
    case Function::Mod: {
        std::int32_t remainder = 0;
        a.error = runtime::tryIntMod(x, y, remainder);
        v = remainder;
        break;
    }
    case Function::Logn: {
        const double ly = a.ln(y);
        const double lx = a.ln(x);
        v = a.div(lx, ly);
        break;
    }
    case Function::Rand: {
        runtime::Random &random = runtime::threadRandom();
        random.reseedFromClock();
        const double r = random.next();
        v = runtime::floorOf(a.mul(r, x));
        break;
    }
    case Function::Sec:
        v = a.div(1, std::cos(x));
        break;
    case Function::Cosec:
        v = a.div(1, std::sin(x));
        break;
    case Function::Cotan:
    case Function::Cotg:
        v = a.div(1, std::tan(x));
        break;
    case Function::Arcsin:
    case Function::Arcsen: {
        const double m = a.mul(-x, x);
        const double s = a.add(m, 1);
        const double q = a.sqrt(s);
        v = std::atan(a.div(x, q));
        break;
    }
    case Function::Arccos: {
        const double m = a.mul(-x, x);
        const double s = a.add(m, 1);
        const double q = a.sqrt(s);
        const double t = std::atan(a.div(-x, q));
        v = a.add(t, halfPi());
        break;
    }
    case Function::Arcsec: {
        const double m = a.mul(x, x);
        const double s = a.sub(m, 1);
        const double t = std::atan(a.sqrt(s));
        const double d = a.sub(t, halfPi());
        const double p = a.mul(d, sgn(x));
        v = a.add(p, halfPi());
        break;
    }
    case Function::Arccosec: {
        const double m = a.mul(x, x);
        const double s = a.sub(m, 1);
        const double q = a.sqrt(s);
        const double t = std::atan(a.div(1, q));
        v = a.mul(sgn(x), t);
        break;
    }
    case Function::Arccotg:
    case Function::Arccotan:
        v = a.sub(halfPi(), std::atan(x));
        break;
    case Function::Sinh:
    case Function::Senh: {
        const double p = a.exp(x);
        const double n = a.exp(-x);
        v = a.div(a.sub(p, n), 2);
        break;
    }
    case Function::Cosh: {
        const double p = a.exp(x);
        const double n = a.exp(-x);
        v = a.div(a.add(p, n), 2);
        break;
    }
    case Function::Tgh:
    case Function::Tanh: {
        const double p = a.exp(x);
        const double n = a.exp(-x);
        const double numerator = a.sub(p, n);
        const double denominator = a.add(p, n);
        v = a.div(numerator, denominator);
        break;
    }
    case Function::Sech: {
        const double p = a.exp(x);
        const double n = a.exp(-x);
        v = a.div(2, a.add(p, n));
        break;
    }
    case Function::Cosech: {
        const double p = a.exp(x);
        const double n = a.exp(-x);
        v = a.div(2, a.sub(p, n));
        break;
    }
    case Function::Cotgh:
    case Function::Cotanh: {
        const double p = a.exp(x);
        const double n = a.exp(-x);
        const double numerator = a.add(p, n);
        const double denominator = a.sub(p, n);
        v = a.div(numerator, denominator);
        break;
    }
    case Function::Arcsinh:
    case Function::Arcsenh: {
        const double m = a.mul(x, x);
        const double s = a.add(m, 1);
        const double q = a.sqrt(s);
        v = a.ln(a.add(x, q));
        break;
    }
    case Function::Arccosh: {
        const double m = a.mul(x, x);
        const double s = a.sub(m, 1);
        const double q = a.sqrt(s);
        v = a.ln(a.add(x, q));
        break;
    }
    case Function::Arctgh:
    case Function::Arctanh: {
        const double numerator = a.add(1, x);
        const double denominator = a.sub(1, x);
        const double l = a.ln(a.div(numerator, denominator));
        v = a.div(l, 2);
        break;
    }
    case Function::Arcsech: {
        const double m = a.mul(-x, x);
        const double s = a.add(m, 1);
        const double q = a.sqrt(s);
        const double numerator = a.add(q, 1);
        v = a.ln(a.div(numerator, x));
        break;
    }
    case Function::Arccosech: {
        const double m = a.mul(x, x);
        const double s = a.add(m, 1);
        const double q = a.sqrt(s);
        const double t = a.mul(sgn(x), q);
        const double numerator = a.add(t, 1);
        v = a.ln(a.div(numerator, x));
        break;
    }
    case Function::Arccotgh:
    case Function::Arccotanh: {
        const double numerator = a.add(x, 1);
        const double denominator = a.sub(x, 1);
        const double l = a.ln(a.div(numerator, denominator));
        v = a.div(l, 2);
        break;
    }
    case Function::Log10: {
        const double l = a.ln(x);
        v = a.div(l, std::log(10.0));
        break;
    }
    case Function::Log2: {
        const double l = a.ln(x);
        v = a.div(l, std::log(2.0));
        break;
    }
    case Function::Graus:
        v = a.mul(x, DegreesPerRadian);
        break;
    case Function::Rad:
        v = a.mul(x, RadiansPerDegree);
        break;
    case Function::Mant:
        v = a.sub(x, runtime::floorOf(x));
        break;
    case Function::Unknown:
        return runtime::InvalidArgument;
    }
    if (a.error)
        return a.error;
    value = v;
    return 0;
}

} // namespace interpreter
