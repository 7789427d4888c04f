// Axes drawing of the graph windows.
#include "AxesDrawing.h"

#include "GraphLayout.h"
#include "LocaleText.h"
#include "PictureBox.h"
#include "RadianGraduation.h"
#include "RuntimeError.h"
#include "Values.h"
#include "clsEquation.h"

#include <QWidget>

#include <cmath>

namespace graph {

using runtime::add;
using runtime::div;
using runtime::mul;
using runtime::sub;

namespace {

// Arrowheads, letters, tick marks and numbers stand whole pixels away from the points they
// belong to.
struct Offsets {
    double ux, uy;
    double x(int pixels) const { return mul(pixels, ux); }
    double y(int pixels) const { return mul(pixels, uy); }
};

void setNumberFont(platform::PictureBox& picture)
{
    picture.setFontName(QStringLiteral("MS Serif"));
    picture.setFontSize(6);
    picture.setFontBold(true);
}

AxesOutcome drawFrame(const AxesInput& input, AxisState& state, platform::PictureBox& picture1,
                      platform::PictureBox& picture2, QWidget* arrowX, QWidget* arrowY)
{
    platform::PictureBox* const pictures[] = {&picture1, &picture2};

    // Each limit is stored as soon as it is known, so that a later failure leaves it behind.
    clsEquation equation;
    state.XMinimo = evaluateField(equation, input.Xmin);
    state.XMaximo = evaluateField(equation, input.Xmax);
    state.YMinimo = evaluateField(equation, input.Ymin);
    state.YMaximo = evaluateField(equation, input.Ymax);
    const double stepX = evaluateField(equation, input.PassoX);
    const double stepY = evaluateField(equation, input.PassoY);

    if (!(state.XMinimo < state.XMaximo))
        return {AxesOutcome::Refused, QStringLiteral("O valor de Xmín deve ser menor que o de Xmáx.")};
    if (!(state.YMinimo < state.YMaximo))
        return {AxesOutcome::Refused, QStringLiteral("O valor de Ymín deve ser menor que o de Ymáx.")};

    state.MargemX = div(std::fabs(sub(state.XMaximo, state.XMinimo)), 50);
    state.MargemY = div(std::fabs(sub(state.YMaximo, state.YMinimo)), 50);

    // The visible area is each range widened by two margins at each end.
    const double left = sub(state.XMinimo, mul(2, state.MargemX));
    const double right = add(state.XMaximo, mul(2, state.MargemX));
    const double top = add(state.YMaximo, mul(2, state.MargemY));
    const double bottom = sub(state.YMinimo, mul(2, state.MargemY));
    state.UnidadesPorPixelX = div(std::fabs(sub(right, left)), picture1.ScaleWidth());
    state.UnidadesPorPixelY = div(std::fabs(sub(top, bottom)), picture1.ScaleHeight());
    const Offsets px{state.UnidadesPorPixelX, state.UnidadesPorPixelY};

    for (platform::PictureBox* picture : pictures)
        picture->Scale(left, top, right, bottom);

    // The axes stop one margin short of the edges.
    const double xLo = sub(state.XMinimo, state.MargemX);
    const double xHi = add(state.XMaximo, state.MargemX);
    const double yLo = sub(state.YMinimo, state.MargemY);
    const double yHi = add(state.YMaximo, state.MargemY);
    for (platform::PictureBox* picture : pictures) {
        picture->Line(xLo, 0, xHi, 0, layout::black);
        picture->Line(0, yLo, 0, yHi, layout::black);
    }

    if (arrowX)
        picture1.moveChild(arrowX, sub(xHi, px.x(3)), px.y(4));
    if (arrowY)
        picture1.moveChild(arrowY, -px.x(4), yHi);
    if (arrowX)
        arrowX->setVisible(true);
    if (arrowY)
        arrowY->setVisible(true);

    // No size is set for the letters: they take whatever size the surface's font has now.
    for (platform::PictureBox* picture : pictures) {
        picture->setCurrentX(add(xHi, px.x(2)));
        picture->setCurrentY(-px.y(5));
        picture->setFontName(QStringLiteral("MS Sans Serif"));
        picture->setFontBold(true);
        picture->Print(QStringLiteral("x"));
        picture->setCurrentX(-px.x(12));
        picture->setCurrentY(add(yHi, px.y(9)));
        picture->Print(QStringLiteral("y"));
    }

    const Graduation xAxis{stepX, xLo, xHi, state.UnidadesPorPixelX, left, right};
    const Graduation yAxis{stepY, yLo, yHi, state.UnidadesPorPixelY, bottom, top};

    if (input.MarcaX) {
        if (state.EixoEmRadianos) {
            MarcarRadianos(picture1, picture2, state);
        } else {
            forEachGraduationMark(xAxis, [&](double t) {
                for (platform::PictureBox* picture : pictures)
                    picture->Line(t, px.y(2), t, -px.y(2), layout::black);
            });
        }
    }
    if (input.MarcaY) {
        forEachGraduationMark(yAxis, [&](double t) {
            for (platform::PictureBox* picture : pictures)
                picture->Line(-px.x(2), t, px.x(2), t, layout::black);
        });
    }
    if (input.GradNumX) {
        if (state.EixoEmRadianos) {
            GraduarRadianos(picture1, picture2, state);
        } else {
            for (platform::PictureBox* picture : pictures)
                setNumberFont(*picture);
            forEachGraduationMark(xAxis, [&](double t) {
                for (platform::PictureBox* picture : pictures) {
                    picture->setCurrentX(sub(t, px.x(8)));
                    picture->setCurrentY(-px.y(8));
                }
                for (platform::PictureBox* picture : pictures)
                    picture->Print(t);
            });
        }
    }
    if (input.GradNumY) {
        for (platform::PictureBox* picture : pictures)
            setNumberFont(*picture);
        forEachGraduationMark(yAxis, [&](double t) {
            for (platform::PictureBox* picture : pictures) {
                picture->setCurrentX(-px.x(18));
                picture->setCurrentY(add(t, px.y(5)));
            }
            for (platform::PictureBox* picture : pictures)
                picture->Print(t);
        });
    }
    return {};
}

} // namespace

double evaluateField(clsEquation& equation, const QString& text)
{
    equation.Equation(text.toStdString());
    equation.Var("x", 0);
    equation.Solve();
    return equation.Solution();
}

AxesOutcome drawAxes(const AxesInput& input, AxisState& state, platform::PictureBox& picture1,
                     platform::PictureBox& picture2, QWidget* arrowX, QWidget* arrowY)
{
    try {
        picture1.clearPicture();
        picture2.clearPicture();
        picture1.ScaleMode(platform::PictureBox::Scaling::Pixel);
        picture2.ScaleMode(platform::PictureBox::Scaling::Pixel);

        using runtime::trim;
        if (trim(input.Xmin).isEmpty() || trim(input.Xmax).isEmpty() || trim(input.Ymin).isEmpty()
            || trim(input.Ymax).isEmpty())
            return {AxesOutcome::Refused, QStringLiteral("É necessário colocar os valores de Xmín, Xmáx, Ymín e Ymáx.")};
        if (trim(input.PassoX).isEmpty() || trim(input.PassoY).isEmpty())
            return {AxesOutcome::Refused,
                    QStringLiteral("É necessário colocar os valores do intervalo na graduação dos eixos.")};

        return drawFrame(input, state, picture1, picture2, arrowX, arrowY);
    } catch (const RuntimeError& error) {
        return {AxesOutcome::Failed, QString::fromStdString(error.description())};
    }
}

bool graduationDrawable(const Graduation& g)
{
    const double step = std::fabs(g.step);
    if (!(step > 0) || !(step >= g.unitsPerPixel))
        return false;
    // Passes of a loop from 0 to `end` by `direction`; none when the end lies behind it.
    const auto passes = [step](double end, double direction) {
        const bool ahead = direction > 0 ? end >= 0 : end <= 0;
        return ahead ? std::fabs(end) / step : 0.0;
    };
    return passes(g.hi, g.step) <= maxGraduationPasses && passes(g.lo, -g.step) <= maxGraduationPasses;
}

} // namespace graph
