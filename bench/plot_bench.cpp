// Timing of the series plot: the sums computed one term after the other against the whole plot.
#include "AxisState.h"
#include "PictureBox.h"
#include "SeriesPlot.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The plot each window draws with its default fields.
struct DefaultPlot {
    graph::Series series;
    double a, b, N;
    double xmin, xmax, ymin, ymax;
};

constexpr DefaultPlot form1{graph::Series::Weierstrass1, 0.5, 13, 10, 0, 0.5, -1, 1};
constexpr DefaultPlot form4{graph::Series::Weierstrass2, 3, 0, 50, 0, 2, -0.4, 0.4};
constexpr DefaultPlot form5{graph::Series::Takagi, 0, 0, 50, 0, 0.5, 0, 0.4};

// The axis state and user scale an axes drawing leaves on a 633-pixel surface.
graph::AxisState axisState(const DefaultPlot& plot)
{
    graph::AxisState s;
    s.XMinimo = plot.xmin;
    s.XMaximo = plot.xmax;
    s.YMinimo = plot.ymin;
    s.YMaximo = plot.ymax;
    s.MargemX = std::fabs(plot.xmax - plot.xmin) / 50;
    s.MargemY = std::fabs(plot.ymax - plot.ymin) / 50;
    s.UnidadesPorPixelX = std::fabs((s.XMaximo + 2 * s.MargemX) - (s.XMinimo - 2 * s.MargemX)) / 633;
    s.UnidadesPorPixelY = std::fabs((s.YMaximo + 2 * s.MargemY) - (s.YMinimo - 2 * s.MargemY)) / 633;
    return s;
}

void literal(benchmark::State& state, const DefaultPlot& plot)
{
    const std::vector<double> xs = graph::plotAbscissae(plot.xmin, plot.xmax);
    std::vector<double> ys;
    for (auto _ : state) {
        ys = graph::literalSums(plot.series, plot.a, plot.b, plot.N, xs);
        benchmark::DoNotOptimize(ys.data());
    }
}

void plotted(benchmark::State& state, const DefaultPlot& plot)
{
    const graph::AxisState s = axisState(plot);
    platform::PictureBox picture1, picture2;
    for (platform::PictureBox* p : {&picture1, &picture2}) {
        p->resize(633, 633);
        p->Scale(s.XMinimo - 2 * s.MargemX, s.YMaximo + 2 * s.MargemY, s.XMaximo + 2 * s.MargemX,
                 s.YMinimo - 2 * s.MargemY);
    }
    picture1.setAutoRedraw(true);
    picture2.show();
    for (auto _ : state)
        graph::plotSeries(plot.series, plot.a, plot.b, plot.N, s, 0xff0000ff, picture1, picture2);
}

BENCHMARK_CAPTURE(literal, Form1, form1)->Name("BM_Literal/Form1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(literal, Form4, form4)->Name("BM_Literal/Form4")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(literal, Form5, form5)->Name("BM_Literal/Form5")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plotted, Form1, form1)->Name("BM_Plot/Form1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plotted, Form4, form4)->Name("BM_Plot/Form4")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plotted, Form5, form5)->Name("BM_Plot/Form5")->Unit(benchmark::kMillisecond);

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
