// The graph windows: loading, the axes drawing, the plot, the drawing commands and the menus,
// read back from Picture1's image and from the boxes and dialogs they open.
#include "tst_graph.h"

#include "AxesDrawing.h"
#include "Form1.h"
#include "Form4.h"
#include "Form5.h"
#include "ModalHelper.h"
#include "PictureBox.h"
#include "Pictures.h"
#include "RuntimeError.h"
#include "SeriesPlot.h"
#include "UserActions.h"
#include "Values.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>

namespace {

bool isWhite(const QImage& image, QPoint p)
{
    return image.pixel(p) == white;
}

int inkIn(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += image.pixel(x, y) != white;
    return count;
}

platform::PictureBox* surface(QWidget* form, const char* name = "Picture1")
{
    return named<platform::PictureBox>(form, name);
}

QImage imageOf(QWidget* form)
{
    return surface(form)->image();
}

// A user point of the window's Picture1, as a pixel of its image.
QPoint pixelOf(QWidget* form, double x, double y)
{
    return surface(form)->mapper().map(float(x), float(y));
}

QAbstractButton* button(QWidget* form, const char* name)
{
    return named<QAbstractButton>(form, name);
}

QSet<QPoint> pixelsIn(const QImage& image, QRgb colour)
{
    QSet<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                found.insert({x, y});
    return found;
}

// "ValorA=0.5;ValorB=" sets each named field of the window.
void setFields(QWidget* form, const QString& fields)
{
    for (const QString& item : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        form->findChild<QLineEdit*>(item.section(QLatin1Char('='), 0, 0))->setText(item.section(QLatin1Char('='), 1));
}

// Clicks a button that must open no message box nor dialog.
bool clickWithoutModal(QAbstractButton* button)
{
    ModalAnswer unexpected = expectModal(clickOk, 0);
    QTest::mouseClick(button, Qt::LeftButton);
    clearModalExpectations();
    return !unexpected.answered();
}

} // namespace

void TestGraph::init()
{
    QLocale::setDefault(QLocale::c());
}

void TestGraph::cleanup()
{
    clearModalExpectations();
    delete m_form;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

GraphForm* TestGraph::open(const QString& window)
{
    delete m_form;
    if (window == QLatin1String("Form1"))
        m_form = new Form1(m_navigator);
    else if (window == QLatin1String("Form4"))
        m_form = new Form4(m_navigator);
    else
        m_form = new Form5(m_navigator);
    // As the shell shows a window: its first showing is its activation.
    m_form->show();
    m_form->activated();
    return m_form;
}

void TestGraph::picturesAndTitle_data()
{
    QTest::addColumn<QString>("window");
    for (const char* window : {"Form1", "Form4", "Form5"})
        QTest::newRow(window) << QString::fromUtf8(window);
}

// Every picture and icon comes from the resources; the title is written in red.
void TestGraph::picturesAndTitle()
{
    QFETCH(QString, window);
    GraphForm* form = open(window);
    int pictures = 0;
    for (const QWidget* child : form->findChildren<QWidget*>()) {
        if (const auto* picture = dynamic_cast<const platform::SvgPicture*>(child)) {
            QVERIFY2(!picture->picture().isNull(), qPrintable(picture->objectName()));
            ++pictures;
        }
    }
    QVERIFY(pictures > 3);
    for (const QToolButton* tool : form->findChildren<QToolButton*>())
        QVERIFY2(!tool->icon().pixmap(16, 16).isNull(), qPrintable(tool->objectName()));
    auto* title = named<QLabel>(form, "Label6");
    QVERIFY(title);
    QVERIFY(paintedPixels(title, red) > 300);
}

void TestGraph::defaultFrame_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<double>("ymin");
    QTest::addColumn<double>("ymax");
    QTest::addColumn<double>("margemX");
    QTest::addColumn<double>("margemY");
    QTest::addColumn<int>("xMarks");     // right of the origin
    QTest::addColumn<int>("yMarksUp");   // above it
    QTest::addColumn<int>("yMarksDown"); // below it

    const QLocale comma(QLocale::Portuguese, QLocale::Portugal);
    // The axes run one margin beyond each limit, and so does the graduation.
    QTest::newRow("Form1") << "Form1" << QLocale::c() << 0.5 << -1.0 << 1.0 << 0.01 << 0.04 << 5 << 10 << 10;
    QTest::newRow("Form4") << "Form4" << QLocale::c() << 2.0 << -0.4 << 0.4 << 0.04 << 0.016 << 20 << 4 << 4;
    QTest::newRow("Form5") << "Form5" << QLocale::c() << 0.5 << 0.0 << 0.4 << 0.01 << 0.008 << 5 << 4 << 0;
    QTest::newRow("Form4, comma locale") << "Form4" << comma << 2.0 << -0.4 << 0.4 << 0.04 << 0.016 << 20 << 4 << 4;
}

void TestGraph::defaultFrame()
{
    QFETCH(QString, window);
    QFETCH(QLocale, locale);
    QFETCH(double, xmax);
    QFETCH(double, ymin);
    QFETCH(double, ymax);
    QFETCH(double, margemX);
    QFETCH(double, margemY);
    QFETCH(int, xMarks);
    QFETCH(int, yMarksUp);
    QFETCH(int, yMarksDown);

    QLocale::setDefault(locale);
    GraphForm* form = open(window);
    QVERIFY(!named<QLineEdit>(form, "Xmax")->text().contains(QLatin1Char(',')));
    const graph::AxisState& s = form->axisState();
    QCOMPARE((QList<double>{s.XMinimo, s.XMaximo, s.YMinimo, s.YMaximo, s.MargemX, s.MargemY}),
             (QList<double>{0.0, xmax, ymin, ymax, margemX, margemY}));
    QCOMPARE(s.UnidadesPorPixelX, (xmax + 4 * margemX) / 633);
    QCOMPARE(s.UnidadesPorPixelY, (ymax - ymin + 4 * margemY) / 633);

    const QImage image = imageOf(form);
    const double ux = s.UnidadesPorPixelX;
    const double uy = s.UnidadesPorPixelY;
    const QPoint origin = pixelOf(form, 0, 0);
    const auto blackAt = [&image](int x, int y) { return image.pixel(x, y) == black; };

    // The axes, without their last pixel.
    const int xLo = pixelOf(form, -margemX, 0).x();
    const int xHi = pixelOf(form, xmax + margemX, 0).x();
    for (int x = xLo; x < xHi; ++x)
        QVERIFY2(blackAt(x, origin.y()), qPrintable(QString::number(x)));
    QVERIFY(!blackAt(xLo - 1, origin.y()) && !blackAt(xHi + 1, origin.y()));
    const int yTop = pixelOf(form, 0, ymax + margemY).y();
    for (int y = yTop + 1; y <= pixelOf(form, 0, ymin - margemY).y(); ++y)
        QVERIFY2(blackAt(origin.x(), y), qPrintable(QString::number(y)));
    QVERIFY(!blackAt(origin.x(), yTop - 1));

    // Tick marks four pixels long across the axis with a number by each, at accumulated steps.
    double t = 0;
    for (int i = 0; i < xMarks; ++i) {
        t += 0.1;
        const QPoint tick = pixelOf(form, t, 2 * uy);
        QCOMPARE(pixelOf(form, t, -2 * uy).y() - tick.y(), 4);
        for (int y = tick.y(); y < tick.y() + 4; ++y)
            QVERIFY2(blackAt(tick.x(), y), qPrintable(QString::number(t)));
        QVERIFY(!blackAt(tick.x(), tick.y() - 1));
        QVERIFY(inkIn(image, QRect(pixelOf(form, t - 8 * ux, -8 * uy), QSize(24, 10))) > 0);
    }
    for (const auto& [count, step] : {std::pair{yMarksUp, 0.1}, std::pair{yMarksDown, -0.1}}) {
        t = 0;
        for (int i = 0; i < count; ++i) {
            t += step;
            const int row = pixelOf(form, 0, t).y();
            QVERIFY2(blackAt(origin.x() - 2, row) && blackAt(origin.x() + 1, row), qPrintable(QString::number(t)));
            QVERIFY(inkIn(image, QRect(pixelOf(form, -18 * ux, t + 5 * uy), QSize(16, 10))) > 0);
        }
        const int beyond = pixelOf(form, 0, t + step).y();
        if (beyond >= 0 && beyond < image.height())
            QVERIFY(!blackAt(origin.x() - 2, beyond));
    }

    // Nothing at the origin: no "0" under the x axis nor left of the y axis.
    QCOMPARE(inkIn(image, QRect(origin.x() - 8, origin.y() + 3, 8, 14)), 0);
    QCOMPARE(inkIn(image, QRect(origin.x() - 18, origin.y() - 6, 16, 5)), 0);

    // The arrowheads show over the surface at the axes' ends but are not part of its image.
    const QWidget* yArrow = named<QWidget>(form, "Image2");
    const QWidget* xArrow = named<QWidget>(form, "Image3");
    QVERIFY(yArrow->isVisible() && xArrow->isVisible());
    QCOMPARE(xArrow->pos(), pixelOf(form, xmax + margemX - 3 * ux, 4 * uy));
    QCOMPARE(yArrow->pos(), pixelOf(form, -4 * ux, ymax + margemY));
    QVERIFY(isWhite(image, xArrow->pos()) && isWhite(image, yArrow->pos()));
    QCOMPARE(surface(form)->grab().toImage().pixel(xArrow->pos()), black);
}

void TestGraph::printedNumbersInPlace_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("onX"); // a mark of the x axis, else of the y axis
    QTest::addColumn<double>("value");
    QTest::addColumn<QRect>("ink"); // where the number's pixels lie in Picture1's image

    const QLocale comma(QLocale::Portuguese, QLocale::Portugal);
    QTest::newRow("Form1 x 0.3") << "Form1" << QLocale::c() << true << 0.3 << QRect(369, 325, 10, 6);
    QTest::newRow("Form1 y -0.5") << "Form1" << QLocale::c() << false << -0.5 << QRect(5, 459, 13, 6);
    QTest::newRow("Form4 x 1,2") << "Form4" << comma << true << 1.2 << QRect(370, 325, 9, 7);
    QTest::newRow("Form5 y 0,3") << "Form5" << comma << false << 0.3 << QRect(7, 165, 10, 7);
}

// The numbers printed by the marks of the default axes, to the pixel.
void TestGraph::printedNumbersInPlace()
{
    QFETCH(QString, window);
    QFETCH(QLocale, locale);
    QFETCH(bool, onX);
    QFETCH(double, value);
    QFETCH(QRect, ink);

    QLocale::setDefault(locale);
    GraphForm* form = open(window);
    const QImage image = imageOf(form);
    const QPoint mark = onX ? pixelOf(form, value, 0) : pixelOf(form, 0, value);
    // Below the x axis and its tick, or left of the y axis and its tick.
    const QRect area = onX ? QRect(mark.x() - 16, mark.y() + 3, 33, 16) : QRect(0, mark.y() - 8, mark.x() - 3, 17);
    QRect found;
    QVERIFY(image.rect().contains(area));
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                found |= QRect(x, y, 1, 1);
    QCOMPARE(found, ink);
}

void TestGraph::axesMessages_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("xmin"); // the limits stored afterwards
    QTest::addColumn<double>("xmax");
    QTest::addColumn<double>("ymin");

    const QString limits = QStringLiteral("É necessário colocar os valores de Xmín, Xmáx, Ymín e Ymáx.");
    const QString steps = QStringLiteral("É necessário colocar os valores do intervalo na graduação dos eixos.");
    const QString xOrder = QStringLiteral("O valor de Xmín deve ser menor que o de Xmáx.");
    const QString error = QStringLiteral("Erro nos dados dos eixos:\r\n\r\n");
    QTest::newRow("Xmin empty") << "Xmin=" << limits << 0.0 << 0.5 << -1.0;
    QTest::newRow("Ymin blanks, before any evaluation") << "Ymin=   ;Xmax=y" << limits << 0.0 << 0.5 << -1.0;
    QTest::newRow("PassoX empty") << "PassoX=" << steps << 0.0 << 0.5 << -1.0;
    QTest::newRow("PassoY blanks, before any evaluation") << "PassoY=  ;Xmin=z" << steps << 0.0 << 0.5 << -1.0;
    QTest::newRow("equal x limits, both stored") << "Xmin=1;Xmax=1" << xOrder << 1.0 << 1.0 << -1.0;
    QTest::newRow("formulas pi/2 and x") << "Xmin=pi/2;Xmax=x" << xOrder << 3.14159265358979 / 2 << 0.0 << -1.0;
    QTest::newRow("reversed y limits")
        << "Ymin=2;Ymax=1" << "O valor de Ymín deve ser menor que o de Ymáx." << 0.0 << 0.5 << 2.0;
    // Run-time errors: Xmin is evaluated and stored before the failure; Xmax only when it evaluates.
    QTest::newRow("undefined variable in Xmax")
        << "Xmin=0.25;Xmax=y" << error + "Variável não definida: y" << 0.25 << 0.5 << -1.0;
    QTest::newRow("overflow in the margins") << "Xmin=0-10^308;Xmax=10^308"
        << error + QString::fromStdString(runtime::errorDescription(runtime::Overflow)) << -1e308 << 1e308 << -1.0;
}

void TestGraph::axesMessages()
{
    QFETCH(QString, fields);
    QFETCH(QString, message);
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(double, ymin);

    GraphForm* form = open(QStringLiteral("Form1"));
    const graph::AxisState before = form->axisState();
    setFields(form, fields);
    form->setMousePointer(platform::Form::MousePointer::Hourglass);

    ModalAnswer box = expectModal(clickOk);
    QTest::mouseClick(button(form, "DesenharEixos"), Qt::LeftButton);
    QVERIFY(box.wait());
    QCOMPARE(box.record().text, message);
    QCOMPARE(box.record().buttons.size(), 1);
    // A check names the program; an error shows no icon and leaves the title to the application.
    const bool failed = message.startsWith(QStringLiteral("Erro"));
    QCOMPARE(box.record().title, failed ? QStringLiteral("TrivelasMorvanicas") : QStringLiteral("Trivelas"));
    QCOMPARE(box.record().icon, int(failed ? QMessageBox::NoIcon : QMessageBox::Information));
    if (failed)
        QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);

    // Both surfaces wiped; the margins and units per pixel are the previous run's.
    QCOMPARE(inkIn(imageOf(form), imageOf(form).rect()), 0);
    const graph::AxisState& after = form->axisState();
    QCOMPARE(after.XMinimo, xmin);
    QCOMPARE(after.XMaximo, xmax);
    QCOMPARE(after.YMinimo, ymin);
    QCOMPARE(after.MargemX, before.MargemX);
    QCOMPARE(after.UnidadesPorPixelY, before.UnidadesPorPixelY);
}

void TestGraph::graduation_data()
{
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("lo"); // ends of the drawn axis
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("margin");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("value");

    QTest::newRow("default x axis, accumulated") << 0.1 << -0.01 << 0.51 << 0.01 << 5 << 2 << 0.30000000000000004;
    QTest::newRow("default y axis, accumulated") << 0.1 << -1.04 << 1.04 << 0.04 << 20 << 9 << 0.9999999999999999;
    QTest::newRow("y marks past YMaximo up to the axis end") << 0.5 << -1.0 << 51.0 << 1.0 << 104 << 101 << 51.0;
    QTest::newRow("end equal to a mark is included") << 0.125 << -0.01 << 0.5 << 0.01 << 4 << 3 << 0.5;
    QTest::newRow("second loop runs downward") << 0.25 << -0.51 << 0.51 << 0.01 << 4 << 2 << -0.25;
    QTest::newRow("axis away from the origin, counted from 0") << 0.1 << 0.98 << 2.02 << 0.02 << 20 << 0 << 0.1;
    QTest::newRow("negative step marks between origin and axis") << -0.1 << -2.02 << -0.98 << 0.02 << 9 << 0 << -0.1;
    QTest::newRow("negative step, axis across the origin") << -0.1 << -0.01 << 0.51 << 0.01 << 0 << -1 << 0.0;
    QTest::newRow("zero step") << 0.0 << -0.01 << 0.51 << 0.01 << 0 << -1 << 0.0;
    QTest::newRow("negative zero step") << -0.0 << 0.98 << 2.02 << 0.02 << 0 << -1 << 0.0;
    QTest::newRow("step under one pixel") << 0.0005 << -0.01 << 0.51 << 0.01 << 0 << -1 << 0.0;
    QTest::newRow("too many passes from the origin") << 0.1 << 1e12 - 0.02 << 1e12 + 1.02 << 0.02 << 0 << -1 << 0.0;
}

void TestGraph::graduation()
{
    QFETCH(double, step);
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(double, margin);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(double, value);

    const double visibleLo = lo - margin;
    const double visibleHi = hi + margin;
    const std::vector<double> marks =
        graph::graduationMarks({step, lo, hi, (visibleHi - visibleLo) / 633, visibleLo, visibleHi});
    QCOMPARE(int(marks.size()), count);
    if (index >= 0)
        QCOMPARE(QString::number(marks[index], 'g', 17), QString::number(value, 'g', 17));
}

void TestGraph::graduationOverflowRaises()
{
    // The running value leaving the range of doubles raises 6, after the marks before it.
    std::vector<double> seen;
    try {
        graph::forEachGraduationMark(graph::Graduation{1e308, -1, 1.5e308, 1e305, -1e306, 1.5e308},
                                     [&seen](double t) { seen.push_back(t); });
        QFAIL("no overflow");
    } catch (const RuntimeError& error) {
        QCOMPARE(error.number(), 6);
    }
    QCOMPARE(seen, std::vector<double>{1e308});
}

void TestGraph::guardedStepsDrawAxesWithoutMarks_data()
{
    QTest::addColumn<QString>("fields");
    QTest::newRow("zero step") << "PassoX=0";
    QTest::newRow("tiny step") << "PassoX=1/10^300";
    QTest::newRow("limits far from the origin for the step") << "Xmin=30000;Xmax=30001;PassoX=0.002";
    QTest::newRow("zero step, axis right of the origin") << "Xmin=1;Xmax=2;PassoX=0";
}

void TestGraph::guardedStepsDrawAxesWithoutMarks()
{
    QFETCH(QString, fields);
    GraphForm* form = open(QStringLiteral("Form1"));
    setFields(form, fields);
    named<QCheckBox>(form, "GradNumY")->setChecked(false);
    named<QCheckBox>(form, "MarcaY")->setChecked(false);
    form->DesenharEixos_Click();

    // The x axis is there, with nothing above or below it but the y axis.
    const QImage image = imageOf(form);
    const graph::AxisState& s = form->axisState();
    const int row = pixelOf(form, s.XMinimo, 0).y();
    const int column = pixelOf(form, 0, 0).x();
    QCOMPARE(image.pixel(image.width() / 2, row), black);
    for (int x = 0; x < image.width(); ++x) {
        if (x != column)
            QVERIFY2(isWhite(image, {x, row - 2}) && isWhite(image, {x, row + 1}), qPrintable(QString::number(x)));
    }
}

void TestGraph::plotMessages_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");

    const int info = QMessageBox::Information, warn = QMessageBox::Warning;
    const QString n = QStringLiteral("O número de parcelas deve ser positivo e inteiro.");
    const QString odd = QStringLiteral("O valor de b deve ser ímpar.");
    const QString error = QStringLiteral("Erro na expressão analítica:\r\n\r\n");
    const QString overflow = error + QString::fromStdString(runtime::errorDescription(runtime::Overflow));
    QTest::newRow("Form1 empty a before a bad N") << "Form1" << "ValorA= ;ValorNWeier1=x" << "Deve indicar o valor de a." << info;
    QTest::newRow("Form1 empty b") << "Form1" << "ValorB=" << "Deve indicar o valor de b." << info;
    QTest::newRow("Form1 N fraction") << "Form1" << "ValorNWeier1=2.5" << n << info;
    QTest::newRow("Form1 b 12.5 made 12") << "Form1" << "ValorB=12.5" << odd << warn;
    QTest::newRow("Form1 b -3, remainder -1") << "Form1" << "ValorB=-3" << odd << warn;
    QTest::newRow("Form1 a = b") << "Form1" << "ValorA=13" << "O valor de a tem de ser menor que o de b." << warn;
    QTest::newRow("Form1 product 0.65") << "Form1" << "ValorA=0.05" << "O produto de a por b tem de ser maior que um." << warn;
    QTest::newRow("Form4 blank N before empty a")
        << "Form4" << "ValorNWeier2=  ;ValorAWeier2=" << "Deve indicar o número de parcelas do somatório." << info;
    QTest::newRow("Form4 formula as N") << "Form4" << "ValorNWeier2=2*5" << n << info;
    QTest::newRow("Form5 N zero") << "Form5" << "ValorNTakagi=0" << n << info;
    // Run-time errors: reported, then the axes are drawn afresh.
    QTest::newRow("undefined variable in a") << "Form1" << "ValorA=y" << error + "Variável não definida: y" << info;
    QTest::newRow("b beyond 32 bits in the odd test") << "Form1" << "ValorB=3*10^9" << overflow << info;
    QTest::newRow("2^k overflows during the loop") << "Form5" << "ValorNTakagi=1100" << overflow << info;
}

void TestGraph::plotMessages()
{
    QFETCH(QString, window);
    QFETCH(QString, fields);
    QFETCH(QString, message);
    QFETCH(int, icon);

    GraphForm* form = open(window);
    setFields(form, fields);
    surface(form)->setPixelFast(300, 100, red); // an earlier graph

    ModalAnswer box = expectModal(clickOk);
    ModalAnswer second = expectModal(clickOk, 50);
    QTest::mouseClick(button(form, "Desenhar"), Qt::LeftButton);
    QVERIFY(box.wait() && !second.wait(200));
    QCOMPARE(box.record().text, message);
    QCOMPARE(box.record().icon, icon);
    const bool failed = message.startsWith(QStringLiteral("Erro"));
    QCOMPARE(box.record().title, failed ? QStringLiteral("Estudo de uma função") : QStringLiteral("Trivelas morvanicas"));
    const QImage image = imageOf(form);
    QCOMPARE(image.pixel(300, 100), failed ? white : red);
    QVERIFY(pixelsIn(image, blue).isEmpty());
    QCOMPARE(image.pixel(pixelOf(form, 0.1, 0)), black);
    QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(surface(form)->isVisible() && !surface(form, "Picture2")->isVisible());
}

void TestGraph::plottedPixels_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<int>("series");

    // One term each: b = 13.4 passes the odd test and the term uses 13.4 itself.
    QTest::newRow("Form1, b 13.4") << "Form1" << "ValorB=13.4;ValorNWeier1=1" << 0;
    QTest::newRow("Form4") << "Form4" << "ValorNWeier2=1" << 1;
    QTest::newRow("Form5, ties at quarters") << "Form5" << "ValorNTakagi=1" << 2;
}

void TestGraph::plottedPixels()
{
    QFETCH(QString, window);
    QFETCH(QString, fields);
    QFETCH(int, series);

    GraphForm* form = open(window);
    setFields(form, fields);
    const std::function<double(double)> first[] = {
        [](double x) { return 0.5 * std::cos(13.4 * 3.14159 * x); },
        [](double x) { return std::sin(3.14159 * x) / 3.14159; },
        [](double x) { return std::fabs(2 * x - std::nearbyint(2 * x)) / 2; },
    };
    QSet<QPoint> expected;
    const graph::AxisState& s = form->axisState();
    for (double x : graph::plotAbscissae(s.XMinimo, s.XMaximo)) {
        const QPoint p = pixelOf(form, x, first[series](x));
        if (surface(form)->rect().contains(p))
            expected.insert(p);
    }
    QVERIFY(clickWithoutModal(button(form, "Desenhar")));
    QCOMPARE(pixelsIn(imageOf(form), blue), expected);
    QVERIFY(surface(form)->isVisible() && !surface(form, "Picture2")->isVisible());
}

void TestGraph::commandsAndGraphs_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QColor>("pick"); // invalid: cancel the colour dialog
    QTest::addColumn<bool>("graphKept");
    QTest::addColumn<QRgb>("background");

    QTest::newRow("erase") << "ApagarGráfico" << QColor() << false << white;
    QTest::newRow("background yellow") << "CorFundo" << QColor(Qt::yellow) << false << qRgb(255, 255, 0);
    QTest::newRow("background cancelled") << "CorFundo" << QColor() << false << white;
    QTest::newRow("toggle") << "EixosRad" << QColor() << false << white;
    QTest::newRow("graph colour") << "CorGráfico" << QColor(Qt::red) << true << white;
}

void TestGraph::commandsAndGraphs()
{
    QFETCH(QString, command);
    QFETCH(QColor, pick);
    QFETCH(bool, graphKept);
    QFETCH(QRgb, background);

    GraphForm* form = open(QStringLiteral("Form5"));
    setFields(form, QStringLiteral("ValorNTakagi=1"));
    QVERIFY(clickWithoutModal(button(form, "Desenhar")));
    const bool dialog = command.startsWith(QLatin1String("Cor"));
    ModalAnswer answer = expectModal(pick.isValid() ? pickColor(pick) : ModalAction(cancel), dialog ? 5000 : 0);
    QTest::mouseClick(form->findChild<QToolButton*>(command), Qt::LeftButton);
    QCOMPARE(answer.wait(dialog ? 5000 : 10), dialog);

    const QImage image = imageOf(form);
    QCOMPARE(!pixelsIn(image, blue).isEmpty(), graphKept);
    QCOMPARE(image.pixel(0, 0), background);
    QCOMPARE(surface(form, "Picture2")->BackColor(), background);
    QCOMPARE(image.pixel(pixelOf(form, 0, 0.1)), black);
    const bool radians = command == QLatin1String("EixosRad");
    QCOMPARE(form->axisState().EixoEmRadianos, radians);
    QCOMPARE(button(form, "EixosRad")->text(), radians ? QStringLiteral("Unidades") : QStringLiteral("Radianos"));
    QCOMPARE(button(form, "EixosRad")->toolTip(), radians ? QStringLiteral("Graduar o eixo das abcissas em unidades.")
                                                : QStringLiteral("Graduar o eixo das abcissas em radianos."));
    if (graphKept) {
        // The new colour for the next graph; both show together.
        QCOMPARE(answer.record().initialColor, QColor(Qt::blue));
        setFields(form, QStringLiteral("ValorNTakagi=2"));
        QVERIFY(clickWithoutModal(button(form, "Desenhar")));
        QVERIFY(!pixelsIn(imageOf(form), blue).isEmpty());
        QVERIFY(!pixelsIn(imageOf(form), red).isEmpty());
    }
}

void TestGraph::copyAndSave()
{
    GraphForm* form = open(QStringLiteral("Form4"));
    QVERIFY(clickWithoutModal(button(form, "Desenhar")));
    QVERIFY(clickWithoutModal(button(form, "CopiarFunção")));
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(copied, imageOf(form).convertToFormat(QImage::Format_RGB32));

    // Another extension is refused and the dialog comes back.
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("grafico.bmp"));
    ModalAnswer png = expectModal(saveAs(dir.filePath(QStringLiteral("grafico.png"))));
    ModalAnswer refusal = expectModal(clickOk);
    ModalAnswer bmp = expectModal(saveAs(dir.filePath(QStringLiteral("grafico"))));
    QTest::mouseClick(button(form, "GuardarGráfico"), Qt::LeftButton);
    QVERIFY(png.wait() && refusal.wait() && bmp.wait());
    QCOMPARE(png.record().directory, QCoreApplication::applicationDirPath());
    QCOMPARE(png.record().nameFilters, QStringList{QStringLiteral("Mapa de bits (*.bmp)")});
    QCOMPARE(png.record().defaultSuffix, QStringLiteral("bmp"));
    QCOMPARE(refusal.record().text, QStringLiteral("Essa extensão não é permitida."));
    QCOMPARE(refusal.record().title, QStringLiteral("TrivelasMorvanicas"));
    QCOMPARE(refusal.record().icon, int(QMessageBox::NoIcon));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("grafico.bmp")});
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    QCOMPARE(bytes.at(28), char(24)); // bits per pixel
    QCOMPARE(QImage(saved).convertToFormat(QImage::Format_RGB32), copied);

    // A disk that fills up while the file is replaced: reported, and the old file stays whole.
    ModalAnswer again = expectModal(saveAs(saved));
    ModalAnswer replace = expectModal(clickButton(QStringLiteral("&Sim")));
    ModalAnswer failure = expectModal(clickOk);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit before = limit;
    limit.rlim_cur = 4096; // room for the dialogs' settings, not for the bitmap
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    QTest::mouseClick(button(form, "GuardarGráfico"), Qt::LeftButton);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(again.wait() && replace.wait() && failure.wait());
    QVERIFY2(failure.record().text.startsWith(QStringLiteral("Não foi possível guardar o gráfico:\r\n\r\n"))
                 && failure.record().text.contains(QStringLiteral("o disco pode estar cheio")),
             qPrintable(failure.record().text));
    QCOMPARE(failure.record().title, QStringLiteral("Trivelas morvanicas"));
    QCOMPARE(failure.record().icon, int(QMessageBox::Information));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("grafico.bmp")});
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void TestGraph::menus_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("asked"); // what the window asks of the others
    QTest::addColumn<bool>("stays");    // the window stays, on the screen, once it has asked

    QTest::newRow("Form1 to Form4") << "Form1" << "Weierstrass2" << "Weierstrass2" << false;
    QTest::newRow("Form1 to Form5") << "Form1" << "Takagi" << "Takagi" << false;
    QTest::newRow("Form1 comments") << "Form1" << "Comentários" << "viewer" << true;
    QTest::newRow("Form1 close") << "Form1" << "FecherPágina" << "" << false;
    QTest::newRow("Form1 quit") << "Form1" << "AbandonarPrograma" << "end" << true;
    QTest::newRow("Form4 to Form1") << "Form4" << "Weierstrass1" << "Weierstrass1" << false;
    QTest::newRow("Form4 to Form5") << "Form4" << "Takagi" << "Takagi" << false;
    QTest::newRow("Form4 close") << "Form4" << "FecharPágina" << "" << false;
    QTest::newRow("Form5 to Form1") << "Form5" << "Weierstrass1" << "Weierstrass1" << false;
    QTest::newRow("Form5 to Form4") << "Form5" << "Weierstrass2" << "Weierstrass2" << false;
    QTest::newRow("Form5 comments") << "Form5" << "Comentários" << "viewer" << true;
    QTest::newRow("Form5 quit") << "Form5" << "AbandonarPrograma" << "end" << true;
}

// A window left for another is hidden before the other shows, then unloaded; the viewer shows
// over it.
void TestGraph::menus()
{
    QFETCH(QString, window);
    QFETCH(QString, item);
    QFETCH(QString, asked);
    QFETCH(bool, stays);

    QPointer<GraphForm> form = open(window);
    m_navigator.asked.clear();
    m_navigator.asker = form;
    auto* action = named<QAction>(form, item.toUtf8().constData());
    QVERIFY(action);
    action->trigger();
    QCOMPARE(m_navigator.asked, asked);
    if (!asked.isEmpty())
        QCOMPARE(m_navigator.askerShown, stays);
    QTRY_COMPARE(form.isNull(), !stays);
}

QTEST_MAIN(TestGraph)
