// The whole program as a user drives it: windows opened from the menus, functions drawn, a window
// left for another, the viewer read, the program quit, each step checked by what the user sees.
// Runs on any platform; on an X display it also reads the screen. The program's end with its
// event loop is the shell tests'.
#include "Form.h"
#include "GraphForm.h"
#include "PictureBox.h"
#include "UserActions.h"
#include "Windows.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QtTest>

#include <algorithm>
#include <memory>

using shell::FormKind;

namespace {

const QRgb graphColour = qRgb(0, 0, 255); // a fresh graph window draws in blue
const QRgb black = qRgb(0, 0, 0);

// What a graph window shows when it opens, and the partial sum of its series at x = 0 with the
// default parameters: for the first Weierstrass function 0.5 + 0.25 + ... + 0.5^10 = 1 - 2^-10,
// for the other two 0.
struct GraphWindowCase {
    const char* startItem;
    FormKind kind;
    const char* title;
    double valueAtZero;
};

const GraphWindowCase graphWindows[] = {
    {"Weierstrass1", FormKind::Form1, "FUNÇÃO DE WEIERSTRASS 1", 1023.0 / 1024.0},
    {"Weierstrass2", FormKind::Form4, "FUNÇÃO DE WEIERSTRASS 2", 0.0},
    {"Takagi", FormKind::Form5, "FUNÇÃO DE TAKAGI", 0.0},
};

// The graph window whose picture goes into the documentation.
constexpr FormKind screenshotKind = FormKind::Form1;

// Where the windows go on the X display (1600 x 1000): each graph window whole on the screen.
const QPoint startPlace(0, 0);
const QPoint graphPlace(560, 230);
const QPoint viewerPlace(980, 60);

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// The screen's pixels in `area` (all of it by default), or where a widget lies.
QImage grabScreen(const QRect& area = {})
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect rect = area.isNull() ? screen->geometry() : area;
    return screen->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage grabScreen(const QWidget* widget)
{
    return grabScreen(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

// The pixels of `area` for which `test(point)` holds.
template <class Test>
int pixelsWhere(const QRect& area, Test test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(QPoint(x, y));
    return count;
}

int pixelsOf(const QImage& image, QRgb colour, const QRect& area = {})
{
    return pixelsWhere(area.isNull() ? image.rect() : area & image.rect(),
                       [&](QPoint p) { return image.pixel(p) == colour; });
}

// Whether the axes cross at `origin`, each over nine tenths of the image.
bool axesThrough(const QImage& image, QPoint origin)
{
    return pixelsOf(image, black, QRect(0, origin.y(), image.width(), 1)) > image.width() * 9 / 10
        && pixelsOf(image, black, QRect(origin.x(), 0, 1, image.height())) > image.height() * 9 / 10;
}

// Where `picture` lies on `screen`, pixel for pixel, searched among the top-left corners in
// `corners`; a null point when it is nowhere.
QPoint findPicture(const QImage& screen, const QImage& picture, const QRect& corners)
{
    // The picture's non-white pixels, a sparse sample first: most corners fail on the first few.
    QList<QPoint> sample;
    for (int y = 0; y < picture.height(); y += 7)
        for (int x = 0; x < picture.width(); x += 3)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                sample.append(QPoint(x, y));
    for (int oy = corners.top(); oy <= corners.bottom(); ++oy) {
        for (int ox = corners.left(); ox <= corners.right(); ++ox) {
            const QRect place(QPoint(ox, oy), picture.size());
            const auto same = [&](QPoint p) { return screen.pixel(place.topLeft() + p) == picture.pixel(p); };
            if (screen.rect().contains(place) && std::all_of(sample.cbegin(), sample.cend(), same)
                && screen.copy(place) == picture)
                return place.topLeft();
        }
    }
    return {};
}

QImage titlePicture()
{
    return QImage(QStringLiteral(":/pictures/titulo.bmp")).convertToFormat(QImage::Format_RGB32);
}

platform::PictureBox* picture1(QWidget* form)
{
    return named<platform::PictureBox>(form, "Picture1");
}

// Places a window where it goes on the X display and waits until it shows.
bool shownAt(QWidget* window, QPoint place)
{
    window->move(place);
    return QTest::qWaitForWindowExposed(window);
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void realProgramShowsItsTitle();
    void userSession();

private:
    void opensAndDraws(const GraphWindowCase& window);
    platform::Form* window(FormKind kind) const { return m_windows->instance(kind); }

    std::unique_ptr<shell::Windows> m_windows;
    QString m_screenshot;
};

void TestEndToEnd::initTestCase()
{
    // As the program's main sets them.
    QApplication::setApplicationName(QStringLiteral("TrivelasMorvanicas"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/window.svg")));

    // Where to save the picture of a graph window, if anywhere; a relative path is taken from the
    // top of the source tree (TRIVELAS_SCREENSHOT=docs/screenshot.png).
    m_screenshot = qEnvironmentVariable("TRIVELAS_SCREENSHOT");
    if (!m_screenshot.isEmpty()) {
        QVERIFY2(onX11(), "a screenshot needs an X display");
        m_screenshot = QDir(QStringLiteral(TRIVELAS_SOURCE_DIR)).absoluteFilePath(m_screenshot);
    }
    // The pointer out of the way, under no window: it raises no tooltip over a drawing.
    if (onX11())
        QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
}

void TestEndToEnd::cleanup()
{
    m_windows.reset();
    QTRY_VERIFY(shownWindows().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A graph window chosen from the start window's menu opens with its defaults and its axes; its
// draw button puts the curve over them.
void TestEndToEnd::opensAndDraws(const GraphWindowCase& window)
{
    clickBar(this->window(FormKind::Form3), window.startItem);
    auto* form = static_cast<GraphForm*>(this->window(window.kind));
    QVERIFY2(form && shownAt(form, graphPlace), window.startItem);
    // The window just shown is the one the user works in.
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCOMPARE(form->windowTitle(), QStringLiteral("TRIVELAS MORVANICAS"));
    QCOMPARE(named<QLabel>(form, "Label6")->text(), QString::fromUtf8(window.title));

    // The axes through the origin, nothing drawn in the graph colour yet; on the screen only the
    // axes are black: the row beside the x axis is not.
    const QImage axes = picture1(form)->image();
    const QPoint origin = picture1(form)->mapper().map(0.0f, 0.0f);
    QVERIFY2(axesThrough(axes, origin), window.startItem);
    QCOMPARE(pixelsOf(axes, graphColour), 0);
    if (onX11()) {
        QImage shown;
        QTRY_VERIFY_WITH_TIMEOUT(axesThrough(shown = grabScreen(picture1(form)), origin), 5000);
        QVERIFY(pixelsOf(shown, black, QRect(0, origin.y() - 20, shown.width(), 1)) < shown.width() / 10);
    }

    // The curve starts at (0, f(0)).
    QTest::mouseClick(named<QWidget>(form, "Desenhar"), Qt::LeftButton);
    const QImage drawn = picture1(form)->image();
    QCOMPARE(drawn.pixel(picture1(form)->mapper().map(0.0f, float(window.valueAtZero))), graphColour);

    if (!onX11())
        return;
    // Every pixel of the curve that no picture on the surface covers is on the screen too.
    QRegion covered;
    for (QWidget* child : picture1(form)->findChildren<QWidget*>())
        if (child->isVisible())
            covered += child->geometry();
    const auto curve = [&](QPoint p) { return drawn.pixel(p) == graphColour && !covered.contains(p); };
    QVERIFY(pixelsWhere(drawn.rect(), curve) > 500);
    const auto missing = [&] {
        const QImage shown = grabScreen(picture1(form));
        return pixelsWhere(drawn.rect(), [&](QPoint p) { return curve(p) && shown.pixel(p) != graphColour; });
    };
    QTRY_COMPARE_WITH_TIMEOUT(missing(), 0, 5000);
    if (!m_screenshot.isEmpty() && window.kind == screenshotKind) {
        QVERIFY(QDir().mkpath(QFileInfo(m_screenshot).absolutePath()));
        QVERIFY(grabScreen(form->frameGeometry()).save(m_screenshot));
    }
}

// The real program, started as the user starts it, shows its title picture on the screen.
void TestEndToEnd::realProgramShowsItsTitle()
{
    if (!onX11())
        QSKIP("reading what another process shows needs an X display");
    const QImage title = titlePicture();
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(TRIVELAS_PROGRAM), {});
    QVERIFY2(program.waitForStarted(5000), qPrintable(program.errorString()));
    QPoint found;
    QElapsedTimer clock;
    clock.start();
    while (found.isNull() && clock.elapsed() < 15000) {
        QTest::qWait(250);
        QVERIFY2(program.state() == QProcess::Running, "the program ended by itself");
        found = findPicture(grabScreen(), title, QRect(0, 0, 400, 300));
    }
    program.kill();
    program.waitForFinished(5000);
    QVERIFY2(!found.isNull(), "the title picture did not show on the screen");
}

// From the start window to the three graph windows, from one graph window to another and to the
// viewer, and out by "Abandonar o programa". The first failed check ends the session.
void TestEndToEnd::userSession()
{
    m_windows = std::make_unique<shell::Windows>();
    m_windows->show(FormKind::Form3);
    // The program starts on its start window alone, its title picture showing.
    const QPointer<platform::Form> start = window(FormKind::Form3);
    QVERIFY(start && shownAt(start, startPlace));
    QCOMPARE(shownWindows(), QList<QMainWindow*>{start.data()});
    const QImage title = titlePicture();
    const QLabel* picture = named<QLabel>(start, "Image1");
    const QRect inWindow(picture->mapTo(start, QPoint(0, 0)), title.size());
    QCOMPARE(start->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(inWindow), title);
    if (onX11())
        QTRY_VERIFY_WITH_TIMEOUT(grabScreen(picture) == title, 5000);

    for (const GraphWindowCase& graph : graphWindows) {
        opensAndDraws(graph);
        if (QTest::currentTestFailed())
            return;
    }

    // A value typed in the Takagi window; the first Weierstrass window left for it by its
    // menu goes, and the Takagi window shows as it was left.
    QPointer<platform::Form> weierstrass = window(FormKind::Form1);
    const QPointer<platform::Form> takagi = window(FormKind::Form5);
    QVERIFY(weierstrass && takagi && activate(takagi));
    auto* terms = named<QLineEdit>(takagi, "ValorNTakagi");
    terms->selectAll();
    QTest::keyClicks(terms, QStringLiteral("7"));
    QVERIFY(activate(weierstrass));
    clickBar(weierstrass, "Takagi");
    QTRY_VERIFY(weierstrass.isNull());
    QCOMPARE(window(FormKind::Form5), takagi.data());
    QVERIFY(takagi->isVisible());
    QCOMPARE(terms->text(), QStringLiteral("7"));

    // "Comentários" opens the viewer over the graph window; the user turns a page. Coming back
    // to the graph window then draws its axes afresh, without the curve.
    const auto curve = [&takagi] { return pixelsOf(picture1(takagi)->image(), graphColour); };
    QVERIFY(QTest::qWaitForWindowActive(takagi));
    QTest::mouseClick(named<QWidget>(takagi, "Desenhar"), Qt::LeftButton);
    QVERIFY(curve() > 0);
    clickBar(takagi, "Comentários");
    platform::Form* comments = window(FormKind::Form2);
    QVERIFY(comments && shownAt(comments, viewerPlace));
    QVERIFY(takagi->isVisible());
    QTest::mouseClick(named<QWidget>(comments, "SetaD"), Qt::LeftButton);
    QCOMPARE(named<QLabel>(comments, "Label2")->text(), QStringLiteral("2"));
    QVERIFY(activate(takagi));
    QTRY_COMPARE_WITH_TIMEOUT(curve(), 0, 5000);

    // "Abandonar o programa" closes every window at once, asking nothing.
    QCOMPARE(shownWindows().size(), 4);
    chooseFromFicheiro(takagi, "AbandonarPrograma");
    QVERIFY(shownWindows().isEmpty());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    for (FormKind kind : {FormKind::Form1, FormKind::Form2, FormKind::Form3, FormKind::Form4, FormKind::Form5})
        QCOMPARE(window(kind), nullptr);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
