// Timing of the series plot: the sums computed one term after the other against a window's
// whole plot.
#include "Form1.h"
#include "Form4.h"
#include "Form5.h"
#include "SeriesPlot.h"

#include <QApplication>
#include <QLineEdit>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// The plot each window draws with its default fields.
struct DefaultPlot {
    graph::Series series;
    double a, b, N;
    double xmin, xmax;
};

constexpr DefaultPlot form1{graph::Series::Weierstrass1, 0.5, 13, 10, 0, 0.5};
constexpr DefaultPlot form4{graph::Series::Weierstrass2, 3, 0, 50, 0, 2};
constexpr DefaultPlot form5{graph::Series::Takagi, 0, 0, 50, 0, 0.5};

void literal(benchmark::State& state, const DefaultPlot& plot)
{
    const std::vector<double> xs = graph::plotAbscissae(plot.xmin, plot.xmax);
    std::vector<double> ys;
    for (auto _ : state) {
        ys = graph::literalSums(plot.series, plot.a, plot.b, plot.N, xs);
        benchmark::DoNotOptimize(ys.data());
    }
}

// A graph window alone: it never asks for another.
struct NoOtherWindows : graph::WindowNavigator {
    void showGraph(graph::GraphKind) override {}
    void showViewer() override {}
    void endProgram() override {}
};

// The draw button of a loaded window with its default fields: tests, parameters, both surfaces
// and the live view, as a click runs it. The points pile up on the same axes, as repeated
// clicks would.
template <class Window>
void plotted(benchmark::State& state)
{
    NoOtherWindows others;
    auto* window = new Window(others);
    window->show();
    for (auto _ : state)
        window->Desenhar_Click();
    delete window;
}

// Form4 with a = 0.5 and N = 20000: two thousand million terms, on as many threads as the
// argument.
void plottedLargeN(benchmark::State& state)
{
    QThreadPool* pool = QThreadPool::globalInstance();
    const int threads = pool->maxThreadCount();
    pool->setMaxThreadCount(int(state.range(0)));
    NoOtherWindows others;
    Form4 window(others);
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("ValorAWeier2"))->setText(QStringLiteral("0.5"));
    window.findChild<QLineEdit*>(QStringLiteral("ValorNWeier2"))->setText(QStringLiteral("20000"));
    for (auto _ : state)
        window.Desenhar_Click();
    pool->setMaxThreadCount(threads);
}

BENCHMARK_CAPTURE(literal, Form1, form1)->Name("BM_Literal/Form1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(literal, Form4, form4)->Name("BM_Literal/Form4")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(literal, Form5, form5)->Name("BM_Literal/Form5")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(plotted, Form1)->Name("BM_Plot/Form1")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(plotted, Form4)->Name("BM_Plot/Form4")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(plotted, Form5)->Name("BM_Plot/Form5")->Unit(benchmark::kMillisecond);
BENCHMARK(plottedLargeN)->Name("BM_PlotLargeN")->Arg(1)->Arg(8)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
