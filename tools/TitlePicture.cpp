// The start window's title picture, drawn as a graph window draws: graduated axes and three
// partial sums of the second Weierstrass series.
#include "TitlePicture.h"

#include "AxesDrawing.h"
#include "PictureBox.h"
#include "RuntimeError.h"
#include "SeriesPlot.h"

#include <QLocale>

namespace titlepicture {

namespace {

// One curve: the exponent a, the number of terms and the colour. Smaller exponents keep more of
// the high frequencies, so the three come out jagged to different degrees and stay apart.
struct Curve {
    double a;
    double terms;
    QRgb colour;
};

constexpr Curve curves[] = {
    {3.0, 50, qRgb(0, 0, 255)},
    {2.0, 50, qRgb(255, 0, 0)},
    {1.7, 50, qRgb(0, 160, 0)},
};

class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_saved); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale m_saved;
};

} // namespace

QImage draw()
{
    const DefaultLocale portuguese(QLocale(QLocale::Portuguese, QLocale::Portugal));

    // The two surfaces of a graph window, at the picture's size; only the first keeps a drawing.
    platform::PictureBox picture1;
    platform::PictureBox picture2;
    for (platform::PictureBox* box : {&picture1, &picture2}) {
        box->resize(side, side);
        box->setBackColor(qRgb(255, 255, 255));
    }
    picture1.setAutoRedraw(true);
    picture2.setAutoRedraw(false);

    graph::AxesInput axes;
    axes.Xmin = QStringLiteral("0");
    axes.Xmax = QStringLiteral("2");
    axes.Ymin = QStringLiteral("-0.4");
    axes.Ymax = QStringLiteral("0.4");
    axes.PassoX = QStringLiteral("0.1");
    axes.PassoY = QStringLiteral("0.1");
    graph::AxisState state;
    if (graph::drawAxes(axes, state, picture1, picture2, nullptr, nullptr).kind
        != graph::AxesOutcome::Drawn)
        return {};

    try {
        for (const Curve& curve : curves)
            graph::plotSeries(graph::Series::Weierstrass2, curve.a, 0.0, curve.terms, state,
                              curve.colour, picture1, picture2);
    } catch (const RuntimeError&) {
        return {};
    }

    return picture1.image().convertToFormat(QImage::Format_RGB888);
}

} // namespace titlepicture
