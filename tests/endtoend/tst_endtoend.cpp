// The whole program as a user drives it, each step checked by what the user sees: on an X display
// the screen itself, where the real program is started too.
#include "Form.h"
#include "ModalHelper.h"
#include "PictureBox.h"
#include "UserActions.h"
#include "Windows.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QtTest>

#include <algorithm>
#include <memory>

using shell::FormKind;

namespace {

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

// Whether `picture` lies on `screen`, pixel for pixel, its top-left corner in `corners`; a sparse
// sample of its non-white pixels rules out most corners first.
bool showsPicture(const QImage& screen, const QImage& picture, const QRect& corners)
{
    QList<QPoint> sample;
    for (int y = 0; y < picture.height(); y += 7)
        for (int x = 0; x < picture.width(); x += 3)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                sample.append(QPoint(x, y));
    for (int y = corners.top(); y <= corners.bottom(); ++y)
        for (int x = corners.left(); x <= corners.right(); ++x) {
            const auto same = [&](QPoint p) { return screen.pixel(QPoint(x, y) + p) == picture.pixel(p); };
            if (std::all_of(sample.cbegin(), sample.cend(), same)
                && screen.copy(QRect(QPoint(x, y), picture.size())) == picture)
                return true;
        }
    return false;
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
    checkModalExpectations();
    m_windows.reset();
    QTRY_VERIFY(shownWindows().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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

// From the start window to the three graph windows, each drawing its curve with the defaults; from one
// graph window to another and to the viewer; the drawing copied and saved; out by "Abandonar o programa".
void TestEndToEnd::userSession()
{
    expectNoModal(); // until the drawing is saved
    m_windows = std::make_unique<shell::Windows>();
    const QPointer<platform::Form> start = m_windows->show(FormKind::Form3);
    QVERIFY(start && shownAt(start, QPoint(0, 0)));
    QTRY_COMPARE(seen(named<QLabel>(start, "Image1")), titlePicture());

    const std::pair<const char*, FormKind> graphs[] = {
        {"Weierstrass1", FormKind::Form1}, {"Weierstrass2", FormKind::Form4}, {"Takagi", FormKind::Form5}};
    for (const auto& [item, kind] : graphs) {
        clickBar(start, item);
        platform::Form* form = window(kind);
        QVERIFY2(form && shownAt(form, QPoint(560, 230)) && QTest::qWaitForWindowActive(form), item);
        auto* surface = named<QWidget>(form, "Picture1");
        QTest::mouseClick(named<QWidget>(form, "Desenhar"), Qt::LeftButton);
        // The screen shows the surface as it paints itself, the curve under the pictures laid over it.
        QVERIFY2(paintedPixels(surface, qRgb(0, 0, 255)) > 500, item); // a fresh window draws in blue
        QTRY_COMPARE(seen(surface), surface->grab().toImage().convertToFormat(QImage::Format_RGB32));
        if (!m_screenshot.isEmpty() && kind == FormKind::Form1)
            QVERIFY(QDir().mkpath(QFileInfo(m_screenshot).absolutePath())
                    && grabScreen(form->frameGeometry()).save(m_screenshot));
    }

    // The first Weierstrass window left for the Takagi one by its menu goes.
    QPointer<platform::Form> weierstrass = window(FormKind::Form1);
    const QPointer<platform::Form> takagi = window(FormKind::Form5);
    QVERIFY(weierstrass && takagi && activate(weierstrass));
    clickBar(weierstrass, "Takagi");
    QTRY_VERIFY(weierstrass.isNull());
    QVERIFY(window(FormKind::Form5) == takagi.data() && QTest::qWaitForWindowActive(takagi));

    // The viewer opens over the graph window; back in it, its drawing goes to the clipboard and to
    // a bitmap file.
    clickBar(takagi, "Comentários");
    platform::Form* comments = window(FormKind::Form2);
    QVERIFY(comments && shownAt(comments, QPoint(980, 60)) && takagi->isVisible() && activate(takagi));
    QTest::mouseClick(named<QWidget>(takagi, "Desenhar"), Qt::LeftButton);
    const QImage drawn = named<platform::PictureBox>(takagi, "Picture1")->image();
    QTest::mouseClick(named<QWidget>(takagi, "CopiarFunção"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), drawn);
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("grafico"));
    expectModal(saveAs(file));
    QTest::mouseClick(named<QWidget>(takagi, "GuardarGráfico"), Qt::LeftButton);
    QCOMPARE(QImage(file + QStringLiteral(".bmp")).convertToFormat(QImage::Format_RGB32), drawn);

    // "Abandonar o programa" closes every window at once, asking nothing.
    expectNoModal();
    QCOMPARE(shownWindows().size(), 4);
    chooseFromFicheiro(takagi, "AbandonarPrograma");
    QVERIFY(shownWindows().isEmpty());
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
