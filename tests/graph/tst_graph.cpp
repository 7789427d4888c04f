// The graph windows: the axes drawing, the plot and the drawing commands, read back from Picture1's
// image, from the windows' references and from the boxes and dialogs they open. (Their menus are
// tried on the whole program, end to end.)
#include "tst_graph.h"

#include "AxesDrawing.h"
#include "Form1.h"
#include "Form4.h"
#include "Form5.h"
#include "ModalHelper.h"
#include "PictureBox.h"
#include "References.h"
#include "SeriesPlot.h"
#include "UserActions.h"

#include <QCheckBox>
#include <QClipboard>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <ranges>
#include <sys/resource.h>

namespace {

auto* surface(QWidget* form, const char* name = "Picture1") { return named<platform::PictureBox>(form, name); }
QImage imageOf(QWidget* form) { return surface(form)->image(); }
// A user point of the window's Picture1, as a pixel of its image.
QPoint pixelOf(QWidget* form, double x, double y) { return surface(form)->mapper().map(float(x), float(y)); }
QAbstractButton* button(QWidget* form, const char* name) { return named<QAbstractButton>(form, name); }

// The pixels of the area (the whole image if none) whose colour passes the test.
QSet<QPoint> pixelsWhere(const QImage& image, const std::function<bool(QRgb)>& test, QRect area = {})
{
    QSet<QPoint> found;
    area = area.isNull() ? image.rect() : area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y)))
                found.insert({x, y});
    return found;
}
QSet<QPoint> pixelsIn(const QImage& image, QRgb rgb) { return pixelsWhere(image, [rgb](QRgb c) { return c == rgb; }); }
auto inkIn(const QImage& im, QRect area) { return pixelsWhere(im, [](QRgb c) { return c != white; }, area).size(); }

// "ValorA=0.5;ValorB=" sets each named field of the window.
void setFields(QWidget* form, const QString& fields)
{
    for (const QString& item : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        form->findChild<QLineEdit*>(item.section(QLatin1Char('='), 0, 0))->setText(item.section(QLatin1Char('='), 1));
}

// Clicks a button that must open no message box nor dialog.
void clickWithoutModal(QAbstractButton* button)
{
    expectNoModal();
    QTest::mouseClick(button, Qt::LeftButton);
}

// The marks right of the origin, above it and below it; the number checked to the pixel, by a
// mark of the x axis or not, and where its pixels lie in Picture1's image.
struct Frame { QString window, locale; int xMarks, yMarksUp, yMarksDown; bool onX; double value; QRect ink; };
// The limits are Xmin, Xmax and Ymin stored afterwards.
struct AxesCase { QString fields, message; QList<double> limits; };
// How many marks, and marks[index].
struct Marks { graph::Graduation axis; int count, index; double value; int error = 0; };

// The graduation of an axis drawn from lo to hi and seen a margin beyond each end, on 633 pixels.
graph::Graduation axisOf(double step, double lo, double hi, double margin)
{
    return {step, lo, hi, ((hi + margin) - (lo - margin)) / 633, lo - margin, hi + margin};
}

struct PlotCase { QString window, fields, message; int icon; };

} // namespace

void TestGraph::init()
{
    QLocale::setDefault(QLocale::c());
    QApplication::setCursorFlashTime(0); // a steady text cursor, the same in every picture
    expectNoModal(); // until a test expects one
}

void TestGraph::cleanup()
{
    checkModalExpectations();
    delete m_form;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

GraphForm* TestGraph::open(const QString& window)
{
    delete m_form;
    if (window == "Form1")
        m_form = new Form1(m_navigator);
    else if (window == "Form4")
        m_form = new Form4(m_navigator);
    else
        m_form = new Form5(m_navigator);
    // As the shell shows a window: its first showing is its activation.
    m_form->show();
    m_form->Form_Activate();
    return m_form;
}

void TestGraph::windowStates_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("oneTerm"); // the field of the number of terms, set to 1
    QTest::newRow("Form1") << "Form1" << "ValorNWeier1=1";
    QTest::newRow("Form4") << "Form4" << "ValorNWeier2=1";
    QTest::newRow("Form5") << "Form5" << "ValorNTakagi=1";
}

// What the user sees at each step, with the colour dialog as it shows: the window as it opens;
// the default plot; a plot in radians; back in units, a plot in other colours; another graph in
// another colour over it; both erased; the background dialog cancelled, which changes nothing.
void TestGraph::windowStates()
{
    QFETCH(QString, window);
    QFETCH(QString, oneTerm);
    GraphForm* form = open(window);
    QVERIFY(activate(form));
    const QString name = window.toLower(), opened = name + "-opened";
    const auto click = [form](const char* name) {
        QTest::mouseClick(button(form, name), Qt::LeftButton);
        QTest::mouseMove(surface(form), {}); // no button lit by the pointer over it
        QVERIFY(activate(form)); // back from a dialog
    };
    CHECK_REFERENCE(form, opened);
    click("Desenhar");
    CHECK_REFERENCE(form, name + "-plotted", opened);
    click("EixosRad");
    click("Desenhar");
    CHECK_REFERENCE(form, name + "-radians", opened);
    click("EixosRad");
    ModalAnswer green = expectModal(pickColor(QColor(0, 128, 0)));
    click("CorGráfico");
    expectModal(pickColor(QColor(255, 255, 192)));
    click("CorFundo");
    expectNoModal();
    click("Desenhar");
    CHECK_REFERENCE(form, name + "-colours", opened);
    CHECK_REFERENCE(green.record().description, QStringLiteral("dialog-colour"));
    ModalAnswer red = expectModal(pickColor(Qt::red));
    click("CorGráfico");
    setFields(form, oneTerm);
    expectNoModal();
    click("Desenhar");
    CHECK_REFERENCE(form, name + "-two-graphs", opened);
    CHECK_REFERENCE(red.record().description, QStringLiteral("dialog-colour-second"));
    click("ApagarGráfico");
    CHECK_REFERENCE(form, name + "-erased", opened);
    expectModal(cancel);
    click("CorFundo");
    CHECK_REFERENCE(form, name + "-erased", opened);
}

void TestGraph::defaultWindow_data()
{
    QTest::addColumn<Frame>("frame");
    QTest::newRow("Form1 x 0.3") << Frame{"Form1", "C", 5, 10, 10, true, 0.3, {369, 325, 10, 6}};
    QTest::newRow("Form1 y -0.5") << Frame{"Form1", "C", 5, 10, 10, false, -0.5, {5, 459, 13, 6}};
    QTest::newRow("Form4 x 1,2") << Frame{"Form4", "pt_PT", 20, 4, 4, true, 1.2, {370, 325, 9, 7}};
    QTest::newRow("Form5 y 0,3") << Frame{"Form5", "pt_PT", 5, 4, 0, false, 0.3, {7, 165, 10, 7}};
}

// The default axes: their lines, marks, numbers (one of them to the pixel) and arrowheads.
void TestGraph::defaultWindow()
{
    QFETCH(Frame, frame);
    QLocale::setDefault(QLocale(frame.locale));
    GraphForm* form = open(frame.window);
    QVERIFY(!named<QLineEdit>(form, "Xmax")->text().contains(QLatin1Char(',')));

    const graph::AxisState& s = form->axisState();
    const double ux = s.UnidadesPorPixelX, uy = s.UnidadesPorPixelY;
    const QImage image = imageOf(form);
    const QPoint origin = pixelOf(form, 0, 0);
    // The black pixels of a row, or of a column.
    const auto blackIn = [&image](int row, int column = -1) {
        QSet<int> found;
        for (int i = 0; i < image.width(); ++i)
            if (image.pixel(column < 0 ? QPoint(i, row) : QPoint(column, i)) == black)
                found.insert(i);
        return found;
    };
    const auto span = [](int from, int to) { const auto r = std::views::iota(from, to); return QSet<int>(r.begin(), r.end()); };
    // The axes run one margin beyond each limit, without their last pixel.
    QCOMPARE(blackIn(origin.y()), span(pixelOf(form, -s.MargemX, 0).x(), pixelOf(form, s.XMaximo + s.MargemX, 0).x()));
    QCOMPARE(blackIn(-1, origin.x()),
             span(pixelOf(form, 0, s.YMaximo + s.MargemY).y() + 1, pixelOf(form, 0, s.YMinimo - s.MargemY).y() + 1));

    // Tick marks four pixels long across each axis, at accumulated steps.
    QSet<int> xTicks{origin.x()}, yTicks{origin.y()};
    for (double i = 0, t = 0; i < frame.xMarks; ++i)
        xTicks.insert(pixelOf(form, t += 0.1, 0).x());
    for (const auto& [count, step] : {std::pair{frame.yMarksUp, 0.1}, std::pair{frame.yMarksDown, -0.1}})
        for (double i = 0, t = 0; i < count; ++i)
            yTicks.insert(pixelOf(form, 0, t += step).y());
    const int top = pixelOf(form, 0, 2 * uy).y(), left = pixelOf(form, -2 * ux, 0).x();
    QVERIFY(blackIn(top) == xTicks && blackIn(top + 3) == xTicks && blackIn(top - 1) == QSet{origin.x()});
    QVERIFY(blackIn(-1, left) == yTicks && blackIn(-1, left + 3) == yTicks);
    // No "0" at the origin, under the x axis nor left of the y axis.
    QVERIFY(inkIn(image, QRect(origin.x() - 8, origin.y() + 3, 8, 14)) == 0);
    QVERIFY(inkIn(image, QRect(origin.x() - 18, origin.y() - 6, 16, 5)) == 0);

    // The number below the x axis and its tick, or left of the y axis and its tick.
    const QPoint mark = frame.onX ? pixelOf(form, frame.value, 0) : pixelOf(form, 0, frame.value);
    const QRect area = frame.onX ? QRect(mark.x() - 16, mark.y() + 3, 33, 16) : QRect(0, mark.y() - 8, mark.x() - 3, 17);
    QVERIFY(image.rect().contains(area));
    QRect found;
    for (const QPoint& p : pixelsWhere(image, [](QRgb c) { return qGray(c) < 128; }, area))
        found |= QRect(p, p);
    QCOMPARE(found, frame.ink);

    // The arrowheads show over the surface at the axes' ends but are not part of its image.
    const QWidget* xArrow = named<QWidget>(form, "Image3");
    QVERIFY(xArrow->isVisible() && named<QWidget>(form, "Image2")->isVisible());
    QCOMPARE(image.pixel(xArrow->pos()), white);
    QCOMPARE(surface(form)->grab().toImage().pixel(xArrow->pos()), black);
}

void TestGraph::axesMessages_data()
{
    QTest::addColumn<AxesCase>("c");
    const QList<double> untouched{0.0, 0.5, -1.0};
    const QString limits = QStringLiteral("É necessário colocar os valores de Xmín, Xmáx, Ymín e Ymáx.");
    const QString steps = QStringLiteral("É necessário colocar os valores do intervalo na graduação dos eixos.");
    const QString xOrder = QStringLiteral("O valor de Xmín deve ser menor que o de Xmáx.");
    const QString error = QStringLiteral("Erro nos dados dos eixos:\r\n\r\n");
    QTest::newRow("Ymin blanks, before any evaluation") << AxesCase{"Ymin=   ;Xmax=y", limits, untouched};
    QTest::newRow("PassoY blanks, before any evaluation") << AxesCase{"PassoY=  ;Xmin=z", steps, untouched};
    QTest::newRow("equal x limits, both stored") << AxesCase{"Xmin=1;Xmax=1", xOrder, {1, 1, -1}};
    QTest::newRow("formulas pi/2 and x") << AxesCase{"Xmin=pi/2;Xmax=x", xOrder, {3.14159265358979 / 2, 0, -1}};
    QTest::newRow("reversed y limits")
        << AxesCase{"Ymin=2;Ymax=1", "O valor de Ymín deve ser menor que o de Ymáx.", {0, 0.5, 2}};
    // Xmin is evaluated and stored before the failure; Xmax only when it evaluates.
    QTest::newRow("undefined variable in Xmax") << AxesCase{"Xmin=0.25;Xmax=y", error + "Variável não definida: y", {0.25, 0.5, -1}};
    QTest::newRow("overflow in the margins") << AxesCase{"Xmin=0-10^308;Xmax=10^308",
        error + QString::fromStdString(runtime::errorDescription(runtime::Overflow)), {-1e308, 1e308, -1}};
}

void TestGraph::axesMessages()
{
    QFETCH(AxesCase, c);
    GraphForm* form = open(QStringLiteral("Form1"));
    const graph::AxisState before = form->axisState();
    setFields(form, c.fields);
    form->setMousePointer(platform::Form::MousePointer::Hourglass);
    ModalAnswer box = expectModal(clickOk);
    QTest::mouseClick(button(form, "DesenharEixos"), Qt::LeftButton);
    QCOMPARE(box.record().text, c.message);
    QCOMPARE(box.record().buttons, QStringList{QStringLiteral("OK")});
    // A check names the program; an error shows no icon and leaves the title to the application.
    const bool failed = c.message.startsWith(QStringLiteral("Erro"));
    QCOMPARE(box.record().title, failed ? QStringLiteral("TrivelasMorvanicas") : QStringLiteral("Trivelas"));
    QCOMPARE(box.record().icon, int(failed ? QMessageBox::NoIcon : QMessageBox::Information));
    if (failed)
        QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);
    // The surface wiped; the margins and units per pixel are the previous run's.
    QVERIFY(inkIn(imageOf(form), imageOf(form).rect()) == 0);
    const graph::AxisState& s = form->axisState();
    QCOMPARE((QList<double>{s.XMinimo, s.XMaximo, s.YMinimo}), c.limits);
    QVERIFY(s.MargemX == before.MargemX && s.UnidadesPorPixelY == before.UnidadesPorPixelY);
}

void TestGraph::graduation_data()
{
    QTest::addColumn<Marks>("marks");
    QTest::newRow("default y axis, accumulated") << Marks{axisOf(0.1, -1.04, 1.04, 0.04), 20, 9, 0.9999999999999999};
    QTest::newRow("y marks past YMaximo up to the axis end") << Marks{axisOf(0.5, -1, 51, 1), 104, 101, 51};
    QTest::newRow("end equal to a mark is included") << Marks{axisOf(0.125, -0.01, 0.5, 0.01), 4, 3, 0.5};
    QTest::newRow("axis away from the origin, counted from 0") << Marks{axisOf(0.1, 0.98, 2.02, 0.02), 20, 0, 0.1};
    QTest::newRow("negative step marks between origin and axis") << Marks{axisOf(-0.1, -2.02, -0.98, 0.02), 9, 0, -0.1};
    QTest::newRow("negative step, axis across the origin") << Marks{axisOf(-0.1, -0.01, 0.51, 0.01), 0, -1, 0};
    QTest::newRow("overflow after the marks before it")
        << Marks{graph::Graduation{1e308, -1, 1.5e308, 1e305, -1e306, 1.5e308}, 1, 0, 1e308, 6};
}

void TestGraph::graduation()
{
    QFETCH(Marks, marks);
    std::vector<double> got;
    const auto error = raisedBy([&] { graph::forEachGraduationMark(marks.axis, [&got](double t) { got.push_back(t); }); });
    QCOMPARE(error ? error->number() : 0, marks.error);
    QCOMPARE(int(got.size()), marks.count);
    if (marks.index >= 0)
        QCOMPARE(QString::number(got[marks.index], 'g', 17), QString::number(marks.value, 'g', 17));
}

void TestGraph::guardedStepsDrawAxesWithoutMarks_data()
{
    QTest::addColumn<QString>("fields");
    QTest::newRow("zero step") << "PassoX=0";
    QTest::newRow("tiny step") << "PassoX=1/10^300";
    QTest::newRow("limits far from the origin for the step") << "Xmin=30000;Xmax=30001;PassoX=0.002";
    QTest::newRow("zero step, axis right of the origin") << "Xmin=1;Xmax=2;PassoX=0";
}

// The x axis is drawn, with nothing above or below it but the y axis.
void TestGraph::guardedStepsDrawAxesWithoutMarks()
{
    QFETCH(QString, fields);
    GraphForm* form = open(QStringLiteral("Form1"));
    setFields(form, fields);
    named<QCheckBox>(form, "GradNumY")->setChecked(false);
    named<QCheckBox>(form, "MarcaY")->setChecked(false);
    form->DesenharEixos_Click();
    const QImage image = imageOf(form);
    const int row = pixelOf(form, form->axisState().XMinimo, 0).y(), column = pixelOf(form, 0, 0).x();
    QCOMPARE(image.pixel(image.width() / 2, row), black);
    for (int x = 0; x < image.width(); ++x)
        QVERIFY2(x == column || (image.pixel(x, row - 2) == white && image.pixel(x, row + 1) == white),
                 qPrintable(QString::number(x)));
}

void TestGraph::plotMessages_data()
{
    QTest::addColumn<PlotCase>("c");
    const int info = QMessageBox::Information, warn = QMessageBox::Warning;
    const QString n = QStringLiteral("O número de parcelas deve ser positivo e inteiro.");
    const QString odd = QStringLiteral("O valor de b deve ser ímpar.");
    const QString error = QStringLiteral("Erro na expressão analítica:\r\n\r\n");
    const QString overflow = error + QString::fromStdString(runtime::errorDescription(runtime::Overflow));
    QTest::newRow("Form1 empty a before a bad N") << PlotCase{"Form1", "ValorA= ;ValorNWeier1=x", "Deve indicar o valor de a.", info};
    QTest::newRow("Form1 N fraction") << PlotCase{"Form1", "ValorNWeier1=2.5", n, info};
    QTest::newRow("Form1 b 12.5 made 12") << PlotCase{"Form1", "ValorB=12.5", odd, warn};
    QTest::newRow("Form1 b -3, remainder -1") << PlotCase{"Form1", "ValorB=-3", odd, warn};
    QTest::newRow("Form1 a = b") << PlotCase{"Form1", "ValorA=13", "O valor de a tem de ser menor que o de b.", warn};
    QTest::newRow("Form1 product 0.65") << PlotCase{"Form1", "ValorA=0.05", "O produto de a por b tem de ser maior que um.", warn};
    QTest::newRow("Form4 blank N before empty a")
        << PlotCase{"Form4", "ValorNWeier2=  ;ValorAWeier2=", "Deve indicar o número de parcelas do somatório.", info};
    QTest::newRow("Form4 formula as N") << PlotCase{"Form4", "ValorNWeier2=2*5", n, info};
    QTest::newRow("Form5 N zero") << PlotCase{"Form5", "ValorNTakagi=0", n, info};
    // Run-time errors: reported, then the axes are drawn afresh.
    QTest::newRow("undefined variable in a") << PlotCase{"Form1", "ValorA=y", error + "Variável não definida: y", info};
    QTest::newRow("b beyond 32 bits in the odd test") << PlotCase{"Form1", "ValorB=3*10^9", overflow, info};
    QTest::newRow("2^k overflows during the loop") << PlotCase{"Form5", "ValorNTakagi=1100", overflow, info};
}

void TestGraph::plotMessages()
{
    QFETCH(PlotCase, c);
    GraphForm* form = open(c.window);
    setFields(form, c.fields);
    const platform::PixelMapper m = surface(form)->mapper(); // an earlier graph at pixel (300, 100)
    surface(form)->PSet(m.left + 300.5 / m.xFactor, m.top + 100.5 / m.yFactor, red);
    ModalAnswer box = expectModal(clickOk);
    expectNoModal();
    QTest::mouseClick(button(form, "Desenhar"), Qt::LeftButton);
    QCOMPARE(box.record().text, c.message);
    QCOMPARE(box.record().icon, c.icon);
    QCOMPARE(box.record().buttons, QStringList{QStringLiteral("OK")});
    const bool failed = c.message.startsWith(QStringLiteral("Erro"));
    QCOMPARE(box.record().title, failed ? QStringLiteral("Estudo de uma função") : QStringLiteral("Trivelas morvanicas"));
    const QImage image = imageOf(form);
    QCOMPARE(image.pixel(300, 100), failed ? white : red);
    QVERIFY(pixelsIn(image, blue).isEmpty());
    QCOMPARE(image.pixel(pixelOf(form, 0.1, 0)), black);
    QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(surface(form)->isVisible() && !surface(form, "Picture2")->isVisible());
}

void TestGraph::copyAndSave()
{
    GraphForm* form = open(QStringLiteral("Form4"));
    clickWithoutModal(button(form, "Desenhar"));
    clickWithoutModal(button(form, "CopiarFunção"));
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(copied, imageOf(form).convertToFormat(QImage::Format_RGB32));
    // Every answer below is given inside the click, or fails the test at its end.
    const auto save = [form] { QTest::mouseClick(button(form, "GuardarGráfico"), Qt::LeftButton); };
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("grafico.bmp"));
    const auto files = [&dir] { return QDir(dir.path()).entryList(QDir::Files); };
    const auto savedImage = [&saved] { return QImage(saved).convertToFormat(QImage::Format_RGB32); };
    const auto savedBytes = [&saved] {
        QFile file(saved);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };

    // Another extension is refused and the dialog comes back.
    ModalAnswer png = expectModal(saveAs(dir.filePath(QStringLiteral("grafico.png"))));
    ModalAnswer refusal = expectModal(clickOk);
    expectModal(saveAs(dir.filePath(QStringLiteral("grafico"))));
    save();
    CHECK_REFERENCE(png.record().description, QStringLiteral("dialog-save"));
    CHECK_REFERENCE(refusal.record().description, QStringLiteral("dialog-save-refused"));
    QCOMPARE(files(), QStringList{QStringLiteral("grafico.bmp")});
    QCOMPARE(savedImage(), copied);

    // Saving over it asks first, naming the file: Enter answers "Não" and, the dialog given up,
    // leaves it byte for byte; "Sim" replaces it, here with the graph erased.
    const QByteArray first = savedBytes();
    clickWithoutModal(button(form, "ApagarGráfico"));
    expectModal(saveAs(saved));
    ModalAnswer question = expectModal(pressEnter);
    expectModal(cancel);
    save();
    CHECK_REFERENCE(question.record().description, QStringLiteral("dialog-save-replace"));
    QCOMPARE(savedBytes(), first);
    expectModal(saveAs(saved));
    expectModal(clickButton(QStringLiteral("Sim")));
    save();
    QVERIFY(savedImage() == imageOf(form).convertToFormat(QImage::Format_RGB32) && savedImage() != copied);

    // A disk that fills up while the file is replaced: reported, and the old file stays whole.
    const QByteArray second = savedBytes();
    expectModal(saveAs(saved));
    expectModal(clickButton(QStringLiteral("&Sim")));
    ModalAnswer failure = expectModal(clickOk);
    rlimit before{}, limit{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &before) == 0 && std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR);
    limit = {4096, before.rlim_max}; // room for the dialogs' settings, not for the bitmap
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    save();
    QVERIFY(setrlimit(RLIMIT_FSIZE, &before) == 0 && std::signal(SIGXFSZ, SIG_DFL) != SIG_ERR);
    CHECK_REFERENCE(failure.record().description, QStringLiteral("dialog-save-failed"));
    QCOMPARE(files(), QStringList{QStringLiteral("grafico.bmp")});
    QCOMPARE(savedBytes(), second);
}

// A long plot shows its points as they come: Picture2 is repainted while the sums go on, not
// only once they are all set.
void TestGraph::liveViewAdvances()
{
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    GraphForm* form = open(QStringLiteral("Form4"));
    QVERIFY(QTest::qWaitForWindowExposed(form));
    setFields(form, QStringLiteral("ValorNWeier2=600")); // about twenty periods here
    surface(form, "Picture2")->installEventFilter(&counter);
    clickWithoutModal(button(form, "Desenhar"));
    QVERIFY2(counter.paints >= 3, qPrintable(QString::number(counter.paints))); // two on the way, one at the end
}

QTEST_MAIN(TestGraph)
