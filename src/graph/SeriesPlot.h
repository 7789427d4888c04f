// Partial sums of the three series, abscissa by abscissa, and their plot on the drawing surfaces.
#pragma once

#include "AxisState.h"

#include <QRgb>

#include <vector>

namespace platform {
class PictureBox;
}

namespace graph {

enum class Series { Weierstrass1, Weierstrass2, Takagi };

// The π of the series: the double nearest to 3.14159, not the full value.
inline constexpr double PiAproximado = 3.14159;
// The abscissa range is cut into this many steps.
inline constexpr int PontosPorTraçado = 100000;

// The abscissae of one plot: x starts at xmin and grows by the accumulated step
// h = (xmax - xmin) / PontosPorTraçado while it has not passed xmax (a negative step runs
// downward). Nominally 100001 values, both ends included. A step that no longer moves x (equal
// limits, or a step too small against x) ends the list at the last value reached instead of
// repeating it for ever. Raises 6 when xmax - xmin leaves the range of doubles.
std::vector<double> plotAbscissae(double xmin, double xmax);

// Term k of the series at x, every power computed afresh and every operation checked, in the order
// in which the windows write it:
//   Weierstrass1: p = b^k; p = p·π; p = p·x; c = cos(p); a^k·c
//   Weierstrass2: d = π·k^a; s = sin(d·x); s / (π·k^a)
//   Takagi:       t = 2^k·x; r = t rounded, ties to even; (1/2^k)·|2^k·x − r|
// Raises 6 on overflow (or 0/0), 11 on a division by zero, 5 on a negative base with a
// non-whole exponent. `b` is read by Weierstrass1 only, `a` by the two Weierstrass series.
double literalTerm(Series series, double a, double b, double k, double x);

// The partial sums for k = 1, 2, ... while k <= N at each x, one term after the other with
// literalTerm, on the calling thread. Raises the first error met, abscissa by abscissa.
std::vector<double> literalSums(Series series, double a, double b, double N, const std::vector<double>& xs);

// The same sums, bit for bit, computed fast: each power once per plot (once per batch of
// abscissae beyond 65536 terms) instead of once per term, the abscissae shared out over the
// processor's cores whatever N is, memory bounded. A failure gives the error that literalSums
// would raise first, with the same number and description.
std::vector<double> computeSums(Series series, double a, double b, double N, const std::vector<double>& xs);

// Plots the partial sum at every abscissa of plotAbscissae(state.XMinimo, state.XMaximo): one
// point at (x, y), converted to single precision (6 out of range), in `colour`, first on
// picture1 and then on picture2. The pixels are those PSet would set. picture2 is the live view:
// it is repainted about every 16 ms while the plot runs, without processing events. On the first
// error the plot stops and raises it; the points set before it stay.
void plotSeries(Series series, double a, double b, double N, const AxisState& state, QRgb colour,
                platform::PictureBox& picture1, platform::PictureBox& picture2);

} // namespace graph
