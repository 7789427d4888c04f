// Axes drawing of the graph windows: the frame, its letters and its graduation in units.
#pragma once

#include "AxisState.h"
#include "Values.h"

#include <QString>

class QWidget;
class clsEquation;

namespace platform {
class PictureBox;
}

namespace graph {

// The six axis fields as typed and the four check boxes.
struct AxesInput {
    QString Xmin, Xmax, Ymin, Ymax, PassoX, PassoY;
    bool MarcaX = true;
    bool MarcaY = true;
    bool GradNumX = true;
    bool GradNumY = true;
};

struct AxesOutcome {
    enum Kind {
        Drawn,
        Refused, // a check failed: `message` is the text to show
        Failed,  // a run-time error: `message` is its description
    };
    Kind kind = Drawn;
    QString message;
};

// Wipes both surfaces and draws the frame on picture1 then picture2, as `input` says; the
// x axis goes to the radian graduation while state.EixoEmRadianos is set. The limits, margins
// and units per pixel are stored in `state` as they are computed, so a refused or failed run
// leaves what it had reached. The arrowheads (either may be null) are moved inside picture1.
// Never throws a RuntimeError: it is returned as Failed.
AxesOutcome drawAxes(const AxesInput& input, AxisState& state, platform::PictureBox& picture1,
                     platform::PictureBox& picture2, QWidget* arrowX, QWidget* arrowY);

// The text of a field evaluated as a formula in x = 0, with `equation`.
double evaluateField(clsEquation& equation, const QString& text);

// One axis's graduation: stepped loops from the origin out to each end of the drawn axis.
struct Graduation {
    double step = 0;          // the evaluated step
    double lo = 0, hi = 0;    // ends of the drawn axis
    double unitsPerPixel = 0; // along this axis
    double visibleLo = 0, visibleHi = 0;
};

// Passes beyond which a loop is not run: at one addition per pass that is tens of milliseconds.
inline constexpr double maxGraduationPasses = 1e7;

// Whether the axis gets marks at all. Marks closer than one pixel would merge into a bar, and a
// step tiny against the distance from the origin to an end would keep the loops going for
// hours (or for ever once the running value no longer changes); such an axis gets none.
bool graduationDrawable(const Graduation& g);

// Calls mark(t) for each loop value t that gets a tick mark and a number, in loop order: first
// from 0 up to hi, then from 0 down to lo. Both loops add the step to a running value, so t is
// an accumulated sum; the passes at t = 0 mark nothing, and a negative step marks only the
// stretch between the origin and an axis that does not reach it. Values lying more than a
// visible width outside the visible range are skipped: nothing drawn there could show.
// Throws RuntimeError 6 if the running value overflows.
template <class Mark>
void forEachGraduationMark(const Graduation& g, Mark&& mark);

namespace detail {
template <class Mark>
void runGraduationLoop(double end, double step, double bandLo, double bandHi, Mark& mark)
{
    const runtime::SteppedLoop loop{0, end, step};
    for (double t = loop.start; loop.runs(t);) {
        if (t != 0 && t >= bandLo && t <= bandHi)
            mark(t);
        const double next = loop.next(t);
        if (next == t)
            break;
        t = next;
    }
}
} // namespace detail

template <class Mark>
void forEachGraduationMark(const Graduation& g, Mark&& mark)
{
    if (!graduationDrawable(g))
        return;
    const double width = g.visibleHi - g.visibleLo;
    const double bandLo = g.visibleLo - width;
    const double bandHi = g.visibleHi + width;
    detail::runGraduationLoop(g.hi, g.step, bandLo, bandHi, mark);
    detail::runGraduationLoop(g.lo, -g.step, bandLo, bandHi, mark);
}

} // namespace graph
