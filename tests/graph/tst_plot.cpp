// Tests of the series plot and of the radian graduation.
#include "PictureBox.h"
#include "RadianGraduation.h"
#include "RuntimeError.h"
#include "SeriesPlot.h"
#include "Values.h"

#include <QElapsedTimer>
#include <QtTest>

#include <bit>
#include <cmath>
#include <optional>

using graph::Series;

namespace {

// The sums as the windows write them, one term after the other: the reference for the fast way.
std::vector<double> plainSums(Series s, double a, double b, double N, const std::vector<double>& xs)
{
    using namespace runtime;
    std::vector<double> ys;
    for (const double x : xs) {
        double y = 0;
        for (double k = 1; k <= N; k = k + 1) {
            if (s == Series::Weierstrass1) {
                double p = power(b, k);
                p = mul(p, 3.14159);
                p = mul(p, x);
                const double c = std::cos(p);
                y = add(y, mul(power(a, k), c));
            } else if (s == Series::Weierstrass2) {
                const double d = mul(3.14159, power(k, a));
                const double sine = std::sin(mul(d, x));
                y = add(y, runtime::div(sine, mul(3.14159, power(k, a))));
            } else {
                const double t = mul(power(2, k), x);
                const double r = std::nearbyint(t);
                y = add(y, mul(runtime::div(1.0, power(2, k)), std::fabs(sub(mul(power(2, k), x), r))));
            }
        }
        ys.push_back(y);
    }
    return ys;
}

std::optional<RuntimeError> errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e;
    }
    return std::nullopt;
}

// The axis state an axes drawing leaves for these limits on a 633-pixel surface.
graph::AxisState axes(double xmin, double xmax, double ymin = -1, double ymax = 1)
{
    graph::AxisState s;
    s.XMinimo = xmin;
    s.XMaximo = xmax;
    s.YMinimo = ymin;
    s.YMaximo = ymax;
    s.MargemX = std::fabs(xmax - xmin) / 50;
    s.MargemY = std::fabs(ymax - ymin) / 50;
    s.UnidadesPorPixelX = std::fabs((xmax + 2 * s.MargemX) - (xmin - 2 * s.MargemX)) / 633;
    s.UnidadesPorPixelY = std::fabs((ymax + 2 * s.MargemY) - (ymin - 2 * s.MargemY)) / 633;
    return s;
}

// Two surfaces as a graph window has them after an axes drawing: Picture1 persistent and
// hidden, Picture2 on the screen.
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

constexpr QRgb blue = 0xff0000ff;
constexpr QRgb black = 0xff000000;

} // namespace

class tst_Plot : public QObject {
    Q_OBJECT

private slots:
    void abscissae_data();
    void abscissae();
    void abscissaeOfADefaultRange();
    void rangeBeyondDoublesRaises6();
    void fastSumsEqualPlainSums_data();
    void fastSumsEqualPlainSums();
    void firstErrorIsThePlainOne_data();
    void firstErrorIsThePlainOne();
    void takagiTerms_data();
    void takagiTerms();
    void plotSetsThePointsOfPSet_data();
    void plotSetsThePointsOfPSet();
    void radianTicks_data();
    void radianTicks();
    void radianLabelsOfTheWorkedExample();
    void radianLabelCounts_data();
    void radianLabelCounts();
    void radianMarksOnTheSurfaces();
};

void tst_Plot::abscissae_data()
{
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("last");

    // 97.65625 / 100000 = 2^-10: every accumulated sum is exact.
    QTest::newRow("exact step reaches the maximum") << 0.0 << 97.65625 << 100001 << 97.65625;
    QTest::newRow("negative step runs downward") << 97.65625 << 0.0 << 100001 << 0.0;
    QTest::newRow("equal limits give one abscissa, not a hang") << 1.0 << 1.0 << 1 << 1.0;
    QTest::newRow("step too small to move x gives one abscissa") << 1e20 << 1e20 + 16384 << 1 << 1e20;
    // Below 2^53 adding 0.9 moves x by 1; from 2^53 on it no longer moves it.
    QTest::newRow("x stops moving half-way") << 9007199254695992.0 << 9007199254785992.0 << 45001
                                             << 9007199254740992.0;
}

void tst_Plot::abscissae()
{
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(int, count);
    QFETCH(double, last);

    QElapsedTimer timer;
    timer.start();
    const std::vector<double> xs = graph::plotAbscissae(xmin, xmax);
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(int(xs.size()), count);
    QCOMPARE(xs.front(), xmin);
    QCOMPARE(xs.back(), last);
}

void tst_Plot::abscissaeOfADefaultRange()
{
    // The accumulated step decides whether 0.5 itself is reached: 100000 or 100001 abscissae.
    const std::vector<double> xs = graph::plotAbscissae(0, 0.5);
    QVERIFY(xs.size() == 100001 || xs.size() == 100000);
    QCOMPARE(xs[1], 0.5 / 100000);
    QVERIFY(std::fabs(xs.back() - 0.5) < 1e-9);
    QVERIFY(xs.back() <= 0.5);
}

void tst_Plot::rangeBeyondDoublesRaises6()
{
    const auto error = errorOf([] { graph::plotAbscissae(-1e308, 1e308); });
    QVERIFY(error);
    QCOMPARE(error->number(), 6);
}

void tst_Plot::fastSumsEqualPlainSums_data()
{
    QTest::addColumn<Series>("series");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("N");
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<int>("every"); // compare every n-th abscissa only, for long sums

    QTest::newRow("Weierstrass1 default") << Series::Weierstrass1 << 0.5 << 13.0 << 10.0 << 0.0 << 0.5 << 1;
    QTest::newRow("Weierstrass2 default") << Series::Weierstrass2 << 3.0 << 0.0 << 50.0 << 0.0 << 2.0 << 1;
    QTest::newRow("Takagi default") << Series::Takagi << 0.0 << 0.0 << 50.0 << 0.0 << 0.5 << 1;
    QTest::newRow("Weierstrass1 b = 13.4") << Series::Weierstrass1 << 0.7 << 13.4 << 10.0 << -1.0 << -0.2 << 1;
    QTest::newRow("Weierstrass1 downward") << Series::Weierstrass1 << 0.5 << 3.0 << 12.5 << 0.5 << -0.5 << 1;
    QTest::newRow("Weierstrass2 a = pi/4") << Series::Weierstrass2 << 0.785398163397448 << 0.0 << 20.0 << -3.0
                                           << 3.0 << 1;
    QTest::newRow("Takagi negative range") << Series::Takagi << 0.0 << 0.0 << 30.0 << -2.0 << -1.0 << 1;
    QTest::newRow("N below 1 sums nothing") << Series::Takagi << 0.0 << 0.0 << 0.5 << 0.0 << 1.0 << 1;
    // More terms than one block of the fast way's power table.
    QTest::newRow("Weierstrass2 20000 terms") << Series::Weierstrass2 << -0.5 << 0.0 << 20000.0 << 0.0 << 1.0
                                              << 1999;
}

void tst_Plot::fastSumsEqualPlainSums()
{
    QFETCH(Series, series);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, N);
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(int, every);

    std::vector<double> xs;
    const std::vector<double> all = graph::plotAbscissae(xmin, xmax);
    for (std::size_t i = 0; i < all.size(); i += every)
        xs.push_back(all[i]);

    const std::vector<double> expected = plainSums(series, a, b, N, xs);
    const std::vector<double> fast = graph::computeSums(series, a, b, N, xs);
    const std::vector<double> literal = graph::literalSums(series, a, b, N, xs);
    QCOMPARE(fast.size(), xs.size());
    QCOMPARE(literal.size(), xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        // Bit for bit, and so are the single-precision points the plot sets.
        if (std::bit_cast<quint64>(fast[i]) != std::bit_cast<quint64>(expected[i])
            || std::bit_cast<quint64>(literal[i]) != std::bit_cast<quint64>(expected[i]))
            QFAIL(qPrintable(QStringLiteral("x = %1: %2 / %3, expected %4")
                                 .arg(xs[i], 0, 'g', 17)
                                 .arg(fast[i], 0, 'g', 17)
                                 .arg(literal[i], 0, 'g', 17)
                                 .arg(expected[i], 0, 'g', 17)));
    }
}

void tst_Plot::firstErrorIsThePlainOne_data()
{
    QTest::addColumn<Series>("series");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("N");
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");

    QTest::newRow("b^k overflows at k = 4") << Series::Weierstrass1 << 0.5 << 1e100 << 10.0 << 0.0 << 0.5;
    QTest::newRow("a^k overflows at k = 2") << Series::Weierstrass1 << 1e200 << 3.0 << 5.0 << 0.0 << 0.5;
    QTest::newRow("b^k pi x overflows at a later abscissa")
        << Series::Weierstrass1 << 0.5 << 1e150 << 2.0 << 0.0 << 1e10;
    QTest::newRow("b^k overflows in the second block of terms")
        << Series::Weierstrass1 << 0.99 << 1.05 << 20000.0 << 0.0 << 1e-3;
    QTest::newRow("k^a underflows to 0: 0/0") << Series::Weierstrass2 << -2000.0 << 0.0 << 3.0 << 0.0 << 2.0;
    QTest::newRow("2^k overflows at k = 1024") << Series::Takagi << 0.0 << 0.0 << 1100.0 << 0.0 << 0.5;
    QTest::newRow("2^k x overflows at a later abscissa") << Series::Takagi << 0.0 << 0.0 << 10.0 << 0.0 << 1e306;
}

void tst_Plot::firstErrorIsThePlainOne()
{
    QFETCH(Series, series);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, N);
    QFETCH(double, xmin);
    QFETCH(double, xmax);

    const std::vector<double> xs = graph::plotAbscissae(xmin, xmax);
    const auto expected = errorOf([&] { plainSums(series, a, b, N, xs); });
    QVERIFY(expected);
    QCOMPARE(expected->number(), 6);
    for (const auto& error : {errorOf([&] { graph::computeSums(series, a, b, N, xs); }),
                              errorOf([&] { graph::literalSums(series, a, b, N, xs); })}) {
        QVERIFY(error);
        QCOMPARE(error->number(), expected->number());
        QCOMPARE(error->source(), expected->source());
        QCOMPARE(error->description(), expected->description());
    }

    // The plot sets the points before the failing abscissa, exactly those PSet would set.
    const graph::AxisState s = axes(xmin, xmax, -2, 2);
    Surfaces plain(s), fast(s);
    const auto plainError = errorOf([&] {
        for (const double x : xs) {
            const double y = plainSums(series, a, b, N, {x}).front();
            plain.picture1.PSet(x, y, blue);
            plain.picture2.PSet(x, y, blue);
        }
    });
    const auto plotError = errorOf([&] {
        graph::plotSeries(series, a, b, N, s, blue, fast.picture1, fast.picture2);
    });
    QVERIFY(plainError && plotError);
    QCOMPARE(plotError->description(), plainError->description());
    QCOMPARE(fast.picture1.image(), plain.picture1.image());
}

void tst_Plot::takagiTerms_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("N");
    QTest::addColumn<double>("sum");

    QTest::newRow("x = 0.25, k = 1: a tie, distance 0.5") << 0.25 << 1.0 << 0.25;
    QTest::newRow("x = 0.75, k = 1: a tie rounded up") << 0.75 << 1.0 << 0.25;
    QTest::newRow("x = 0.25, k = 2: on an integer") << 0.25 << 2.0 << 0.25;
    QTest::newRow("x = 0.125, three terms") << 0.125 << 3.0 << 0.25;
    QTest::newRow("x = 0.5: every term 0") << 0.5 << 5.0 << 0.0;
    QTest::newRow("x = -0.25, one term") << -0.25 << 1.0 << 0.25;
}

void tst_Plot::takagiTerms()
{
    QFETCH(double, x);
    QFETCH(double, N);
    QFETCH(double, sum);
    QCOMPARE(graph::computeSums(Series::Takagi, 0, 0, N, {x}).front(), sum);
    QCOMPARE(graph::literalSums(Series::Takagi, 0, 0, N, {x}).front(), sum);
}

void tst_Plot::plotSetsThePointsOfPSet_data()
{
    QTest::addColumn<Series>("series");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("N");
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");

    QTest::newRow("Weierstrass1 default axes") << Series::Weierstrass1 << 0.5 << 13.0 << 4.0 << 0.0 << 0.5;
    QTest::newRow("Weierstrass2 default axes") << Series::Weierstrass2 << 3.0 << 0.0 << 4.0 << 0.0 << 2.0;
    QTest::newRow("Takagi downward") << Series::Takagi << 0.0 << 0.0 << 4.0 << 0.5 << -0.5;
}

void tst_Plot::plotSetsThePointsOfPSet()
{
    QFETCH(Series, series);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, N);
    QFETCH(double, xmin);
    QFETCH(double, xmax);

    const graph::AxisState s = axes(std::min(xmin, xmax), std::max(xmin, xmax));
    graph::AxisState plotted = s;
    plotted.XMinimo = xmin;
    plotted.XMaximo = xmax;
    Surfaces plain(s), fast(s);
    const QImage blank = plain.picture1.image();

    const std::vector<double> xs = graph::plotAbscissae(xmin, xmax);
    const std::vector<double> ys = plainSums(series, a, b, N, xs);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        plain.picture1.PSet(xs[i], ys[i], blue);
        plain.picture2.PSet(xs[i], ys[i], blue);
    }
    graph::plotSeries(series, a, b, N, plotted, blue, fast.picture1, fast.picture2);

    QVERIFY(fast.picture1.image() != blank);
    QCOMPARE(fast.picture1.image(), plain.picture1.image());
    QCOMPARE(fast.screen(), plain.screen());
}

void tst_Plot::radianTicks_data()
{
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<QList<double>>("ticks");

    const double pi = 3.14159265358979;
    QTest::newRow("-2 pi to 2 pi: seven ticks, none at 2 pi")
        << -2 * pi << 2 * pi
        << QList<double>{1.570795, 3.14159, 4.712385, -1.570795, -3.14159, -4.712385, -6.28318};
    QTest::newRow("maximum 1.6: the positive loop ends at 1") << -0.5 << 1.6 << QList<double>{};
    QTest::newRow("minimum -1.6: the negative loop ends at -2") << -1.6 << 0.5 << QList<double>{-1.570795};
    QTest::newRow("default limits: none") << 0.0 << 0.5 << QList<double>{};
    QTest::newRow("-10 to -1: six ticks down to -3 pi")
        << -10.0 << -1.0 << QList<double>{-1.570795, -3.14159, -4.712385, -6.28318, -7.853975, -9.42477};
    // Multiples of pi/2 closer than a pixel would merge into a bar.
    QTest::newRow("-1000 to 1000: closer than a pixel, none") << -1000.0 << 1000.0 << QList<double>{};
    // The loops from 0 would take about 6e11 passes.
    QTest::newRow("limits near 1e12: none, and no hang") << 1e12 << 1e12 + 1 << QList<double>{};
    QTest::newRow("limits near 1e17: none, and no hang") << -1e17 - 100 << -1e17 << QList<double>{};
}

void tst_Plot::radianTicks()
{
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(QList<double>, ticks);

    QElapsedTimer timer;
    timer.start();
    const std::vector<double> got = graph::radianTicks(axes(xmin, xmax));
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(int(got.size()), int(ticks.size()));
    for (int i = 0; i < ticks.size(); ++i)
        QVERIFY2(std::fabs(got[i] - ticks[i]) < 1e-12, qPrintable(QString::number(got[i], 'g', 17)));
}

void tst_Plot::radianLabelsOfTheWorkedExample()
{
    const double pi = 3.14159265358979;
    const graph::AxisState s = axes(-2 * pi, 2 * pi);
    const double ux = s.UnidadesPorPixelX;
    struct Expected {
        const char* text;
        double x;
    };
    const Expected expected[] = {
        {"-p/2", -1.570795 - 6 * ux}, {"-3 p/2", -4.712385 - 6 * ux}, {"-p", -3.14159 - 4 * ux},
        {"-2 p", -6.28318 - 6 * ux},  {"p/2", 1.570795 - 4 * ux},     {" 3 p/2", 4.712385 - 6 * ux},
        {"p", 3.14159 - 2 * ux},      {" 2 p", 6.28318 - 6 * ux},
    };
    const std::vector<graph::RadianLabel> labels = graph::radianLabels(s);
    QCOMPARE(int(labels.size()), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(labels[i].text, QString::fromLatin1(expected[i].text));
        QVERIFY(std::fabs(labels[i].x - expected[i].x) < 1e-12);
        QCOMPARE(labels[i].y, -6 * s.UnidadesPorPixelY);
    }
}

void tst_Plot::radianLabelCounts_data()
{
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("-10 to -1: two looped labels in each negative series")
        << -10.0 << -1.0 << QStringList{"-p/2", "-3 p/2", "-5 p/2", "-p", "-2 p", "-3 p", "p/2", "p"};
    QTest::newRow("maximum 1.6: the fixed label pi/2 without its tick")
        << -2.0 << 1.6 << QStringList{"-p/2", "-p", "p/2", "p"};
    QTest::newRow("default limits: every label out of sight") << 0.0 << 0.5 << QStringList{};
    QTest::newRow("-1000 to 1000: fixed labels only") << -1000.0 << 1000.0 << QStringList{"-p/2", "-p", "p/2", "p"};
    QTest::newRow("limits near 1e12: none, and no hang") << 1e12 << 1e12 + 1 << QStringList{};
}

void tst_Plot::radianLabelCounts()
{
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(QStringList, texts);

    QStringList got;
    for (const graph::RadianLabel& label : graph::radianLabels(axes(xmin, xmax)))
        got << label.text;
    QCOMPARE(got, texts);
}

void tst_Plot::radianMarksOnTheSurfaces()
{
    const double pi = 3.14159265358979;
    const graph::AxisState s = axes(-2 * pi, 2 * pi);
    Surfaces surfaces(s);
    graph::MarcarRadianos(surfaces.picture1, surfaces.picture2, s);
    graph::GraduarRadianos(surfaces.picture1, surfaces.picture2, s);

    const QImage image = surfaces.picture1.image();
    const platform::PixelMapper map = surfaces.picture1.mapper();
    const auto blackAround = [&](double x, int fromRow, int toRow) {
        const QPoint p = map.map(float(x), 0.0f);
        for (int row = p.y() + fromRow; row <= p.y() + toRow; ++row)
            if (image.pixel(p.x(), row) == black)
                return true;
        return false;
    };
    // A tick at -2 pi, none at 2 pi; both carry a label further down.
    QVERIFY(blackAround(-6.28318, -2, 1));
    QVERIFY(!blackAround(6.28318, -2, 1));
    QVERIFY(blackAround(-1.570795, -2, 1));
    bool labelBelow2Pi = false;
    for (int dx = -6; dx <= 16 && !labelBelow2Pi; ++dx)
        labelBelow2Pi = blackAround(6.28318 + dx * s.UnidadesPorPixelX, 6, 20);
    QVERIFY(labelBelow2Pi);
    QCOMPARE(surfaces.screen(), image);

    // The letters of the next axes drawing inherit this font.
    for (platform::PictureBox* p : {&surfaces.picture1, &surfaces.picture2}) {
        QCOMPARE(p->FontName(), QStringLiteral("symbol"));
        QCOMPARE(p->FontSize(), 8.0);
        QVERIFY(!p->FontBold());
    }
}

QTEST_MAIN(tst_Plot)
#include "tst_plot.moc"
