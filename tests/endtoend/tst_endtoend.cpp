// The whole program as a user drives it, each step checked by what the user sees: on an X display
// the screen itself, where the real program is started too.
#include "Form.h"
#include "PictureBox.h"
#include "UserActions.h"
#include "Windows.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <tuple>

using shell::FormKind;

namespace {

const QRgb blue = qRgb(0, 0, 255); // a fresh graph window draws in blue

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

QImage grabScreen(const QRect& area)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// What the user sees of a widget: the screen on X, else what the widget paints.
QImage seen(QWidget* widget)
{
    return onX11() ? grabScreen(QRect(widget->mapToGlobal(QPoint()), widget->size()))
                   : widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int pixelsWhere(const QRect& area, const std::function<bool(QPoint)>& test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(QPoint(x, y));
    return count;
}

int pixelsOf(const QImage& image, QRgb colour)
{
    return pixelsWhere(image.rect(), [&](QPoint p) { return image.pixel(p) == colour; });
}

// Whether black axes cross at `origin`, each over nine tenths of the image.
bool axesThrough(const QImage& image, QPoint origin)
{
    const auto black = [&](QPoint p) { return image.pixel(p) == qRgb(0, 0, 0); };
    return pixelsWhere(QRect(0, origin.y(), image.width(), 1), black) > image.width() * 9 / 10
        && pixelsWhere(QRect(origin.x(), 0, 1, image.height()), black) > image.height() * 9 / 10;
}

// Whether `picture` lies on `screen`, pixel for pixel, its top-left corner in `corners`; a sparse
// sample of its non-white pixels rules out most corners first.
bool showsPicture(const QImage& screen, const QImage& picture, const QRect& corners)
{
    QList<QPoint> sample;
    for (int y = 0; y < picture.height(); y += 7)
        for (int x = 0; x < picture.width(); x += 3)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                sample.append(QPoint(x, y));
    return pixelsWhere(corners, [&](QPoint corner) {
        const auto same = [&](QPoint p) { return screen.pixel(corner + p) == picture.pixel(p); };
        return std::all_of(sample.cbegin(), sample.cend(), same)
            && screen.copy(QRect(corner, picture.size())) == picture;
    }) > 0;
}

QImage titlePicture()
{
    return QImage(QStringLiteral(":/pictures/titulo.bmp")).convertToFormat(QImage::Format_RGB32);
}

// Places a window where it goes on the 1600 x 1000 X display and waits until it shows.
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
    void opensAndDraws(const char* item, FormKind kind, double valueAtZero);
    platform::Form* window(FormKind kind) const { return m_windows->instance(kind); }

    std::unique_ptr<shell::Windows> m_windows;
    QString m_screenshot;
};

void TestEndToEnd::initTestCase()
{
    // Where to save the first Weierstrass window's picture, if anywhere; a relative path is taken
    // from the top of the source tree (TRIVELAS_SCREENSHOT=docs/screenshot.png).
    m_screenshot = qEnvironmentVariable("TRIVELAS_SCREENSHOT");
    if (!m_screenshot.isEmpty()) {
        QVERIFY2(onX11(), "a screenshot needs an X display");
        m_screenshot = QDir(QStringLiteral(TRIVELAS_SOURCE_DIR)).absoluteFilePath(m_screenshot);
    }
    // The pointer under no window: it raises no tooltip over a drawing.
    if (onX11())
        QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
}

void TestEndToEnd::cleanup()
{
    m_windows.reset();
    QTRY_VERIFY(shownWindows().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Opened from the start window's menu, a graph window shows its axes; its draw button puts the
// curve over them, from (0, f(0)).
void TestEndToEnd::opensAndDraws(const char* item, FormKind kind, double valueAtZero)
{
    clickBar(window(FormKind::Form3), item);
    platform::Form* form = window(kind);
    QVERIFY2(form && shownAt(form, QPoint(560, 230)), item);
    QVERIFY(QTest::qWaitForWindowActive(form)); // the window just shown is the one worked in
    auto* surface = named<platform::PictureBox>(form, "Picture1");
    const QPoint origin = surface->mapper().map(0.0f, 0.0f);
    QTRY_VERIFY2(axesThrough(seen(surface), origin), item);
    QCOMPARE(pixelsOf(surface->image(), blue), 0);

    QTest::mouseClick(named<QWidget>(form, "Desenhar"), Qt::LeftButton);
    const QImage drawn = surface->image();
    QCOMPARE(drawn.pixel(surface->mapper().map(0.0f, float(valueAtZero))), blue);
    // Every pixel of the curve that no picture on the surface covers shows.
    QRegion covered;
    for (QWidget* child : surface->findChildren<QWidget*>())
        if (child->isVisible())
            covered += child->geometry();
    const auto curve = [&](QPoint p) { return drawn.pixel(p) == blue && !covered.contains(p); };
    QVERIFY(pixelsWhere(drawn.rect(), curve) > 500);
    const auto missing = [&] {
        const QImage shown = seen(surface);
        return pixelsWhere(drawn.rect(), [&](QPoint p) { return curve(p) && shown.pixel(p) != blue; });
    };
    QTRY_COMPARE(missing(), 0);
    if (!m_screenshot.isEmpty() && kind == FormKind::Form1) {
        QVERIFY(QDir().mkpath(QFileInfo(m_screenshot).absolutePath())
                && grabScreen(form->frameGeometry()).save(m_screenshot));
    }
}

void TestEndToEnd::realProgramShowsItsTitle()
{
    if (!onX11())
        QSKIP("reading what another process shows needs an X display");
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(TRIVELAS_PROGRAM), {});
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    const QImage title = titlePicture();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTRY_VERIFY_WITH_TIMEOUT(program.state() != QProcess::Running
                                 || showsPicture(grabScreen(screen), title, QRect(0, 0, 400, 300)),
                             15000);
    QVERIFY2(program.state() == QProcess::Running, "the program ended by itself");
    program.kill();
    program.waitForFinished();
}

// From the start window to the three graph windows, from one graph window to another and to the
// viewer, and out by "Abandonar o programa".
void TestEndToEnd::userSession()
{
    m_windows = std::make_unique<shell::Windows>();
    const QPointer<platform::Form> start = m_windows->show(FormKind::Form3);
    QVERIFY(start && shownAt(start, QPoint(0, 0)));
    QCOMPARE(shownWindows(), QList<QMainWindow*>{start.data()});
    QTRY_COMPARE(seen(named<QLabel>(start, "Image1")), titlePicture());

    const std::tuple<const char*, FormKind, double> graphs[] = {
        {"Weierstrass1", FormKind::Form1, 1023.0 / 1024.0}, // 0.5 + 0.25 + ... + 0.5^10
        {"Weierstrass2", FormKind::Form4, 0.0},
        {"Takagi", FormKind::Form5, 0.0}};
    for (const auto& [item, kind, valueAtZero] : graphs) {
        opensAndDraws(item, kind, valueAtZero);
        if (QTest::currentTestFailed())
            return;
    }

    // The first Weierstrass window left for the Takagi one by its menu goes; the Takagi window
    // shows as it was left.
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
    QVERIFY(QTest::qWaitForWindowActive(takagi) && terms->text() == QStringLiteral("7"));

    // The viewer opens over the graph window; coming back to it draws its axes afresh, no curve.
    auto* surface = named<platform::PictureBox>(takagi, "Picture1");
    QTest::mouseClick(named<QWidget>(takagi, "Desenhar"), Qt::LeftButton);
    QVERIFY(pixelsOf(surface->image(), blue) > 0);
    clickBar(takagi, "Comentários");
    platform::Form* comments = window(FormKind::Form2);
    QVERIFY(comments && shownAt(comments, QPoint(980, 60)) && takagi->isVisible());
    QVERIFY(activate(takagi));
    QTRY_COMPARE(pixelsOf(surface->image(), blue), 0);

    // "Abandonar o programa" closes every window at once, asking nothing.
    QCOMPARE(shownWindows().size(), 4);
    chooseFromFicheiro(takagi, "AbandonarPrograma");
    QVERIFY(shownWindows().isEmpty());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
