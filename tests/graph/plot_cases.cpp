// The series plot and the radian graduation, checked without a window.
#include "tst_graph.h"

#include "PictureBox.h"
#include "RadianGraduation.h"
#include "SeriesPlot.h"

#include <QtTest>

#include <bit>
#include <cfloat>
#include <cmath>

using graph::Series;
using Sums = std::vector<double>;

namespace {

// The axis state an axes drawing leaves for these limits on a 633-pixel surface.
graph::AxisState axes(double xmin, double xmax, double ymin = -1, double ymax = 1)
{
    graph::AxisState s{xmin, xmax, ymin, ymax, std::fabs(xmax - xmin) / 50, std::fabs(ymax - ymin) / 50};
    s.UnidadesPorPixelX = ((xmax + 2 * s.MargemX) - (xmin - 2 * s.MargemX)) / 633;
    s.UnidadesPorPixelY = ((ymax + 2 * s.MargemY) - (ymin - 2 * s.MargemY)) / 633;
    return s;
}

// The two surfaces of a graph window during a plot: Picture1 persistent and hidden, Picture2
// on the screen.
struct Surfaces {
    platform::PictureBox picture1, picture2;
    explicit Surfaces(const graph::AxisState& s)
    {
        for (platform::PictureBox* p : {&picture1, &picture2}) {
            p->resize(633, 633);
            p->Scale(s.XMinimo - 2 * s.MargemX, s.YMaximo + 2 * s.MargemY, s.XMaximo + 2 * s.MargemX,
                     s.YMinimo - 2 * s.MargemY);
        }
        picture1.setAutoRedraw(true);
        picture2.show();
    }
    QImage screen() { return picture2.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

// One plot: the series, its parameters, the abscissa limits and, if known, the first sum.
struct Plot { Series series; double a, b, N, xmin, xmax = 0, sum = NAN; };
struct Abscissae { double xmin, xmax; int count; double last; };
struct Radians { double xmin, xmax; QList<double> ticks; QStringList labels; };

constexpr double pi = 3.14159265358979; // the interpreter's pi, as typed limits such as 2*pi give

} // namespace

void TestGraph::abscissae_data()
{
    QTest::addColumn<Abscissae>("c");
    // 97.65625 / 100000 = 2^-10: every accumulated sum is exact.
    QTest::newRow("negative step runs downward") << Abscissae{97.65625, 0, 100001, 0};
    QTest::newRow("equal limits: one abscissa, no hang") << Abscissae{1, 1, 1, 1};
    QTest::newRow("step too small to move x: one abscissa") << Abscissae{1e20, 1e20 + 16384, 1, 1e20};
}

void TestGraph::abscissae()
{
    QFETCH(Abscissae, c);
    const Sums xs = graph::plotAbscissae(c.xmin, c.xmax);
    QCOMPARE(int(xs.size()), c.count);
    QVERIFY(xs.front() == c.xmin && xs.back() == c.last);
}

void TestGraph::abscissaeNearTheEndsOfDoubles()
{
    QCOMPARE(raisedBy([] { graph::plotAbscissae(-1e308, 1e308); })->number(), 6);

    // The running value overflows after the last abscissa: the list ends, and the plot refuses
    // the abscissae beyond single precision.
    const std::size_t count = graph::plotAbscissae(0, DBL_MAX).size();
    QVERIFY(count >= 100000 && count <= 100001);
    graph::AxisState s = axes(0, 1);
    s.XMaximo = DBL_MAX;
    Surfaces surfaces(axes(0, 1));
    const auto error
        = raisedBy([&] { graph::plotSeries(Series::Takagi, 0, 0, 1, s, blue, surfaces.picture1, surfaces.picture2); });
    QCOMPARE(error ? error->number() : 0, 6);
}

void TestGraph::sums_data()
{
    QTest::addColumn<Plot>("plot");
    QTest::addColumn<int>("every"); // only every n-th abscissa, for long sums
    QTest::addColumn<int>("error");

    const Series w1 = Series::Weierstrass1, w2 = Series::Weierstrass2, t = Series::Takagi;
    // One abscissa, and its sum. At a tie the Takagi distance is 0.5 either way.
    QTest::newRow("Takagi 1/4, N = 1: a tie") << Plot{t, 0, 0, 1, 0.25, 0.25, 0.25} << 1 << 0;
    QTest::newRow("Takagi 1/3, N = 50") << Plot{t, 0, 0, 50, 1.0 / 3, 1.0 / 3, 0.33333333333333304} << 1 << 0;
    // At x = 0 the first series is the sum of a^k for the whole k up to N: 1 - 2^-2 for a = 1/2.
    QTest::newRow("Weierstrass1 at 0, N = 2.5: two terms") << Plot{w1, 0.5, 13, 2.5, 0, 0, 0.75} << 1 << 0;
    QTest::newRow("N below 1: no term") << Plot{w1, 0.5, 13, 0.5, 0, 0, 0} << 1 << 0;
    // Computed apart in 40-digit arithmetic with the decimal 3.14159.
    QTest::newRow("Weierstrass1 at 0.1") << Plot{w1, 0.5, 13, 3, 0.1, 0.1, -0.4582404983006305} << 1 << 0;
    QTest::newRow("Weierstrass2 at 0.7") << Plot{w2, 3, 0, 50, 0.7, 0.7, 0.22376937484802042} << 1 << 0;
    QTest::newRow("Weierstrass2 a < 0") << Plot{w2, -0.5, 0, 1000, 1, 1, 988.8180801602316} << 1 << 0;
    QTest::newRow("Weierstrass2 a = pi/4, downward") << Plot{w2, pi / 4, 0, 20, 3, -3} << 1 << 0;
    // Two blocks of terms, two batches of a few abscissae per thread.
    QTest::newRow("N = 70000") << Plot{w2, -0.5, 0, 70000, 0, 1} << 1500 << 0;
    QTest::newRow("a^k overflows at k = 2") << Plot{w1, 1e200, 3, 5, 0, 0.5} << 1 << 6;
    QTest::newRow("b^k overflows at k = 71333") << Plot{w1, 0.99, 1.01, 80000, 0, 1e-3} << 1 << 6;
    QTest::newRow("k^a underflows to 0: 0/0") << Plot{w2, -2000, 0, 3, 0, 2} << 1 << 6;
    QTest::newRow("2^k x overflows at a later abscissa") << Plot{t, 0, 0, 10, 0, 1e306} << 1 << 6;
}

void TestGraph::sums()
{
    QFETCH(Plot, plot);
    QFETCH(int, every);
    QFETCH(int, error);
    Sums xs;
    const Sums all = graph::plotAbscissae(plot.xmin, plot.xmax);
    for (std::size_t i = 0; i < all.size(); i += every)
        xs.push_back(all[i]);

    // The fast sums are the term-by-term ones bit for bit, and fail as they do.
    Sums fast, literal;
    const auto fastError = raisedBy([&] { fast = graph::computeSums(plot.series, plot.a, plot.b, plot.N, xs); });
    const auto literalError
        = raisedBy([&] { literal = graph::literalSums(plot.series, plot.a, plot.b, plot.N, xs); });
    QCOMPARE(fastError ? fastError->number() : 0, error);
    QCOMPARE(literalError ? literalError->number() : 0, error);
    if (error)
        QCOMPARE(fastError->description(), literalError->description());
    for (std::size_t i = 0; i < fast.size(); ++i)
        QCOMPARE(std::bit_cast<quint64>(fast[i]), std::bit_cast<quint64>(literal[i]));
    if (!std::isnan(plot.sum))
        QVERIFY2(std::fabs(fast.front() - plot.sum) <= 1e-12 * std::max(1.0, std::fabs(plot.sum)),
                 qPrintable(QString::number(fast.front(), 'g', 17)));
}

void TestGraph::plot_data()
{
    QTest::addColumn<Plot>("plot");
    QTest::newRow("Takagi, downward") << Plot{Series::Takagi, 0, 0, 4, 0.5, -0.5};
    // b^k pi x overflows at k = 65806 for the second abscissa, in the second block of terms, but
    // within the first block for most of the later abscissae of the same batch.
    QTest::newRow("first error in a later block") << Plot{Series::Weierstrass1, 0.5, 1.01065, 66000, 0, 1e10};
}

void TestGraph::plot()
{
    QFETCH(Plot, plot);

    // The plot sets exactly the points PSet would, up to the first error.
    const graph::AxisState frame = axes(std::min(plot.xmin, plot.xmax), std::max(plot.xmin, plot.xmax));
    Surfaces literal(frame), fast(frame);
    const QImage blank = literal.picture1.image();
    const auto literalError = raisedBy([&] {
        for (const double x : graph::plotAbscissae(plot.xmin, plot.xmax)) {
            const double y = graph::literalSums(plot.series, plot.a, plot.b, plot.N, {x}).front();
            literal.picture1.PSet(x, y, blue);
            literal.picture2.PSet(x, y, blue);
        }
    });
    graph::AxisState s = frame;
    s.XMinimo = plot.xmin;
    s.XMaximo = plot.xmax;
    const auto plotError = raisedBy([&] {
        graph::plotSeries(plot.series, plot.a, plot.b, plot.N, s, blue, fast.picture1, fast.picture2);
    });

    QCOMPARE(bool(plotError), bool(literalError));
    if (plotError)
        QCOMPARE(plotError->description(), literalError->description());
    QVERIFY(fast.picture1.image() != blank);
    QCOMPARE(fast.picture1.image(), literal.picture1.image());
    QCOMPARE(fast.screen(), literal.screen());
}

void TestGraph::radian_data()
{
    QTest::addColumn<Radians>("c");
    const QStringList fixed{"-p/2", "-p", "p/2", "p"};
    QTest::newRow("-2 pi to 2 pi: no tick at 2 pi")
        << Radians{-2 * pi, 2 * pi, {1.570795, 3.14159, 4.712385, -1.570795, -3.14159, -4.712385, -6.28318},
                   {"-p/2", "-3 p/2", "-p", "-2 p", "p/2", " 3 p/2", "p", " 2 p"}};
    QTest::newRow("maximum 1.6: label pi/2 but no tick") << Radians{-2, 1.6, {-1.570795}, fixed};
    QTest::newRow("minimum -1.6: the negative tick loop ends at -2") << Radians{-1.6, 0.5, {-1.570795}, fixed};
    QTest::newRow("default limits: fixed labels out of sight") << Radians{0, 0.5, {}, fixed};
    QTest::newRow("-10 to -1") << Radians{-10, -1, {-1.570795, -3.14159, -4.712385, -6.28318, -7.853975, -9.42477},
                                          {"-p/2", "-3 p/2", "-5 p/2", "-p", "-2 p", "-3 p", "p/2", "p"}};
    // Loops from 0 out to these limits would take about 6e11 passes, or never end.
    QTest::newRow("limits near 1e12: no hang") << Radians{1e12, 1e12 + 1, {}, fixed};
    QTest::newRow("limits near -1e17: no hang") << Radians{-1e17 - 100, -1e17, {}, fixed};
}

void TestGraph::radian()
{
    QFETCH(Radians, c);
    const std::vector<double> got = graph::radianTicks(axes(c.xmin, c.xmax));
    QStringList texts;
    for (const graph::RadianLabel& label : graph::radianLabels(axes(c.xmin, c.xmax)))
        texts << label.text;
    QCOMPARE(int(got.size()), int(c.ticks.size()));
    for (int i = 0; i < c.ticks.size(); ++i)
        QVERIFY2(std::fabs(got[i] - c.ticks[i]) < 1e-12, qPrintable(QString::number(got[i], 'g', 17)));
    QCOMPARE(texts, c.labels);
}

void TestGraph::radianWorkedExample()
{
    // Limits -2π and 2π: the eight labels stand 2 to 6 pixels left of their multiples and 6 pixels
    // under the axis; drawn, a tick at -2π, none at 2π, and a label under 2π.
    const graph::AxisState s = axes(-2 * pi, 2 * pi);
    const double ux = s.UnidadesPorPixelX;
    const double x[] = {-1.570795 - 6 * ux, -4.712385 - 6 * ux, -3.14159 - 4 * ux, -6.28318 - 6 * ux,
                        1.570795 - 4 * ux,  4.712385 - 6 * ux,  3.14159 - 2 * ux,  6.28318 - 6 * ux};
    const std::vector<graph::RadianLabel> labels = graph::radianLabels(s);
    QCOMPARE(int(labels.size()), 8);
    for (int i = 0; i < 8; ++i) {
        QVERIFY(std::fabs(labels[i].x - x[i]) < 1e-12);
        QCOMPARE(labels[i].y, -6 * s.UnidadesPorPixelY);
    }

    Surfaces surfaces(s);
    graph::MarcarRadianos(surfaces.picture1, surfaces.picture2, s);
    graph::GraduarRadianos(surfaces.picture1, surfaces.picture2, s);
    const QImage image = surfaces.picture1.image();
    // Whether a black pixel lies in these columns from x and rows around the x axis.
    const auto blackAt = [&](double x, int columns, int fromRow, int toRow) {
        const QPoint p = surfaces.picture1.mapper().map(float(x), 0.0f);
        for (int column = p.x(); column < p.x() + columns; ++column)
            for (int row = p.y() + fromRow; row <= p.y() + toRow; ++row)
                if (image.pixel(column, row) == black)
                    return true;
        return false;
    };
    QVERIFY(blackAt(-6.28318, 1, -2, 1) && !blackAt(6.28318, 1, -2, 1)); // a tick at -2π, none at 2π
    QVERIFY(blackAt(6.28318 - 6 * ux, 23, 6, 20)); // a label under 2π
}

void TestGraph::radianWideRange()
{
    // Every multiple of π/2 but 0 out to ±10000 gets a tick and a label, however close together.
    const graph::AxisState wide = axes(-10000, 10000);
    QCOMPARE(int(graph::radianTicks(wide).size()), 2 * 6366);
    QCOMPARE(int(graph::radianLabels(wide).size()), 2 * 6366);
    // Far wider, drawing them all would hold the window: only the four fixed labels.
    const graph::AxisState wider = axes(-35000, 35000);
    QVERIFY(graph::radianTicks(wider).empty());
    QCOMPARE(int(graph::radianLabels(wider).size()), 4);
}
