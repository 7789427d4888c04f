// Graduation of the x axis in multiples of π/2: tick marks and their labels.
#include "RadianGraduation.h"

#include "GraphLayout.h"
#include "PictureBox.h"
#include "SeriesPlot.h"
#include "Values.h"

#include <cmath>

namespace graph {

namespace {

// π, 2π and 3π are written out; π/2 and 3π/2 are halves of them.
constexpr double DoisPi = 6.28318;
constexpr double TresPi = 9.42477;
constexpr double MeioPi = PiAproximado / 2;
constexpr double TresMeiosPi = TresPi / 2;

// A stretch of x.
struct Band {
    double lo;
    double hi;
    bool contains(double x) const { return x >= lo && x <= hi; }
};

// The x range the surface shows: the limits widened by two margins.
Band visibleRange(const AxisState& s)
{
    return {s.XMinimo - 2 * s.MargemX, s.XMaximo + 2 * s.MargemX};
}

// The stretch in which a mark can show: the visible range widened by its own width on each side,
// which leaves room for the width of a label starting left of the visible range.
Band band(const AxisState& s)
{
    const Band visible = visibleRange(s);
    const double width = visible.hi - visible.lo;
    return {visible.lo - width, visible.hi + width};
}

// The stepped loop from start to end, body(t) at each pass; not run at all when it would take
// more than maxRadianPasses passes.
template <class Body>
void boundedLoop(double start, double end, double step, Body&& body)
{
    const runtime::SteppedLoop loop{start, end, step};
    if (!loop.runs(start) || std::fabs((end - start) / step) > maxRadianPasses)
        return;
    for (double t = loop.start; loop.runs(t); t = loop.next(t))
        body(t);
}

// One label series: its fixed label, then a loop of labels numbered k, k + kStep...
struct LabelSeries {
    const char* fixedText;
    double fixedPosition;
    double fixedPixels; // the fixed label starts this many pixels left of its position
    double start;
    double step;
    bool toMinimum; // runs down to XMinimo, or else up to XMaximo
    double kStart;
    double kStep;
    double kSign;
    const char* unitText;
};

constexpr LabelSeries labelSeries[] = {
    {"-p/2", -MeioPi, 6, -TresMeiosPi, -PiAproximado, true, 3, 2, -1, "p/2"},
    {"-p", -PiAproximado, 4, -DoisPi, -PiAproximado, true, 2, 1, -1, "p"},
    {"p/2", MeioPi, 4, TresMeiosPi, PiAproximado, false, 3, 2, 1, "p/2"},
    {"p", PiAproximado, 2, DoisPi, PiAproximado, false, 2, 1, 1, "p"},
};

} // namespace

bool radianMarksDrawn(const AxisState& s)
{
    const Band visible = visibleRange(s);
    return std::fabs(visible.hi - visible.lo) / MeioPi <= maxRadianMarks;
}

std::vector<double> radianTicks(const AxisState& s)
{
    std::vector<double> ticks;
    if (!radianMarksDrawn(s))
        return ticks;
    const Band b = band(s);
    const auto tick = [&](double t) {
        if (t != 0 && b.contains(t))
            ticks.push_back(t);
    };
    boundedLoop(0, std::floor(s.XMaximo), MeioPi, tick);
    boundedLoop(0, std::floor(s.XMinimo), -MeioPi, tick);
    return ticks;
}

std::vector<RadianLabel> radianLabels(const AxisState& s)
{
    using runtime::mul;
    using runtime::sub;
    const double ux = s.UnidadesPorPixelX;
    const double y = mul(-6, s.UnidadesPorPixelY);
    const bool numbered = radianMarksDrawn(s);
    const Band b = band(s);

    std::vector<RadianLabel> labels;
    for (const LabelSeries& series : labelSeries) {
        labels.push_back({sub(series.fixedPosition, mul(series.fixedPixels, ux)), y,
                          QString::fromLatin1(series.fixedText)});
        if (!numbered)
            continue;
        double k = series.kStart;
        const QString unit = QString::fromLatin1(series.unitText);
        boundedLoop(series.start, series.toMinimum ? s.XMinimo : s.XMaximo, series.step, [&](double t) {
            const double x = sub(t, mul(6, ux));
            if (b.contains(x))
                labels.push_back({x, y, platform::printedNumber(series.kSign * k) + unit});
            k += series.kStep;
        });
    }
    return labels;
}

void MarcarRadianos(platform::PictureBox& picture1, platform::PictureBox& picture2, const AxisState& s)
{
    const double above = runtime::mul(2, s.UnidadesPorPixelY);
    const double below = runtime::mul(-2, s.UnidadesPorPixelY);
    for (const double t : radianTicks(s)) {
        picture1.Line(t, above, t, below, layout::black);
        picture2.Line(t, above, t, below, layout::black);
    }
}

void GraduarRadianos(platform::PictureBox& picture1, platform::PictureBox& picture2, const AxisState& s)
{
    for (platform::PictureBox* picture : {&picture1, &picture2}) {
        picture->setFontName(QStringLiteral("symbol"));
        picture->setFontSize(8);
        picture->setFontBold(false);
    }
    const std::vector<RadianLabel> labels = radianLabels(s);
    for (platform::PictureBox* picture : {&picture1, &picture2}) {
        for (const RadianLabel& label : labels) {
            picture->setCurrentX(label.x);
            picture->setCurrentY(label.y);
            picture->Print(label.text);
        }
    }
}

} // namespace graph
