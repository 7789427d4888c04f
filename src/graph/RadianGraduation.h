// Graduation of the x axis in multiples of π/2: tick marks and their labels.
#pragma once

#include "AxisState.h"

#include <QString>

#include <vector>

namespace platform {
class PictureBox;
}

namespace graph {

// A label under the x axis: its text's top-left corner and the text, written in the font
// "symbol", in which "p" shows as π.
struct RadianLabel {
    double x = 0;
    double y = 0;
    QString text;
};

// A loop that would take more passes than this is not run: at one addition per pass that is tens
// of milliseconds, and beyond about 10^16 the running value would stop changing altogether.
inline constexpr double maxRadianPasses = 1e7;

// Every tick and label is drawn, however close together, while the visible width holds at most
// this many multiples of π/2 (x from about -32000 to 32000): about a second of drawing. Past
// that only the four fixed labels are drawn, so that a far wider range cannot hold the window
// for minutes on every axes drawing.
inline constexpr double maxRadianMarks = 45000;

bool radianMarksDrawn(const AxisState& s);

// The x of each tick mark, in drawing order: the multiples of π/2 from π/2 up to Int(XMaximo),
// then from -π/2 down to Int(XMinimo), each an accumulated sum of the step. Ticks lying more than
// a visible width outside the visible range are left out: nothing drawn there could show.
std::vector<double> radianTicks(const AxisState& s);

// The labels in drawing order: the four series -π/2, -3π/2, -5π/2...; -π, -2π...; π/2, 3π/2...;
// π, 2π... out to the limits, each starting with its fixed label, which is written whatever the
// limits are. Numbered labels lying more than a visible width outside the visible range are left
// out.
std::vector<RadianLabel> radianLabels(const AxisState& s);

// Tick marks 2 pixels above and below the x axis at the multiples of π/2, on picture1 then
// picture2 for each tick.
void MarcarRadianos(platform::PictureBox& picture1, platform::PictureBox& picture2, const AxisState& s);

// The labels in the font "symbol", 8 points, not bold: all of them on picture1, then on picture2.
void GraduarRadianos(platform::PictureBox& picture1, platform::PictureBox& picture2, const AxisState& s);

} // namespace graph
