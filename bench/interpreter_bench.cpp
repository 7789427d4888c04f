// Evaluation speed of the formula object: a parsed formula with a new x, and the axis fields of a
// graph window read one after the other.
#include "clsEquation.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void solveWithNewX(benchmark::State &state, const std::string &formula)
{
    clsEquation equation;
    equation.Equation(formula);
    equation.Var("x", 0.5);
    equation.Solve(); // tokenized once, here
    double x = 0;
    for (auto _ : state) {
        x += 1e-5;
        equation.Var("x", x);
        equation.Solve();
        benchmark::DoNotOptimize(equation.Solution());
    }
}

std::string longFormula()
{
    std::string formula;
    for (int k = 1; k <= 20; ++k)
        formula += "+sin(" + std::to_string(k) + "x)/" + std::to_string(k) + "^2";
    return formula; // 20 terms, 220 tokens
}

// The six axis fields of a fresh graph window, each through the calling sequence.
void axisFields(benchmark::State &state)
{
    static const char *const fields[] = {"0", "0.5", "-1", "1", "0.1", "0.1"};
    for (auto _ : state) {
        clsEquation equation;
        for (const char *field : fields) {
            equation.Equation(field);
            equation.Var("x", 0);
            equation.Solve();
            benchmark::DoNotOptimize(equation.Solution());
        }
    }
}

} // namespace

BENCHMARK_CAPTURE(solveWithNewX, ten_tokens, std::string("-x^2+3*x-1"));
BENCHMARK_CAPTURE(solveWithNewX, call_and_constant, std::string("sin(pi*x)/2"));
BENCHMARK_CAPTURE(solveWithNewX, long_formula, longFormula());
BENCHMARK(axisFields);

BENCHMARK_MAIN();
