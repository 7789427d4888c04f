// The whole program as a user drives it, each step checked by what the user sees: on an X display
// the screen itself, where the real program is started too.
#include "Form.h"
#include "ModalHelper.h"
#include "PictureBox.h"
#include "Program.h"
#include "References.h"
#include "UserActions.h"
#include "Windows.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QThreadPool>
#include <QtTest>

#include <algorithm>
#include <cstdio>
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
    void programEnds_data();
    void programEnds();

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

// From the start window to the three graph windows, each drawing its curve with the defaults; to the
// viewer; the drawing copied; out by "Abandonar o programa".
void TestEndToEnd::userSession()
{
    expectNoModal();
    m_windows = std::make_unique<shell::Windows>();
    const QPointer<platform::Form> start = m_windows->show(FormKind::Form3);
    QVERIFY(start && shownAt(start, QPoint(0, 0)));
    QTRY_COMPARE(seen(named<QLabel>(start, "Image1")), titlePicture());

    const std::tuple<const char*, FormKind, QString> graphs[] = {{"Weierstrass1", FormKind::Form1, "form1"},
                                                                 {"Weierstrass2", FormKind::Form4, "form4"},
                                                                 {"Takagi", FormKind::Form5, "form5"}};
    for (const auto& [item, kind, name] : graphs) {
        clickBar(start, item);
        platform::Form* form = window(kind);
        QVERIFY2(form && shownAt(form, QPoint(560, 230)) && QTest::qWaitForWindowActive(form), item);
        auto* surface = named<QWidget>(form, "Picture1");
        QTest::mouseClick(named<QWidget>(form, "Desenhar"), Qt::LeftButton);
        // The screen shows the default curve as the window's reference does, under the arrowheads.
        const QImage plotted = referencePicture(name + "-plotted", name + "-opened");
        QTRY_COMPARE(seen(surface), plotted.copy(QRect(surface->mapTo(form, QPoint()), surface->size())));
        if (!m_screenshot.isEmpty() && kind == FormKind::Form1)
            QVERIFY(QDir().mkpath(QFileInfo(m_screenshot).absolutePath())
                    && grabScreen(form->frameGeometry()).save(m_screenshot));
    }

    // The viewer opens over the last graph window; back in it, its drawing goes to the clipboard.
    platform::Form* takagi = window(FormKind::Form5);
    clickBar(takagi, "Comentários");
    platform::Form* comments = window(FormKind::Form2);
    QVERIFY(comments && shownAt(comments, QPoint(980, 60)) && takagi->isVisible() && activate(takagi));
    QTest::mouseClick(named<QWidget>(takagi, "Desenhar"), Qt::LeftButton);
    QTest::mouseClick(named<QWidget>(takagi, "CopiarFunção"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
             named<platform::PictureBox>(takagi, "Picture1")->image());

    // "Abandonar o programa" closes every window at once, asking nothing.
    QCOMPARE(shownWindows().size(), 5);
    chooseFromFicheiro(takagi, "AbandonarPrograma");
    QVERIFY(shownWindows().isEmpty());
}

void TestEndToEnd::programEnds_data()
{
    // A step: a start window item, "Desenhar" in the window opened last, "<window>:<item>" for an
    // item of that window's menus, "close:<window>"; a window is named by the item that opened it.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("endsAfter");
    QTest::newRow("quit from the start window") << "start:AbandonarPrograma" << 1;
    QTest::newRow("quit from Form1, after a plot") << "Weierstrass1 Desenhar Weierstrass1:AbandonarPrograma" << 3;
    QTest::newRow("quit from Form4, after a plot") << "Weierstrass2 Desenhar Weierstrass2:AbandonarPrograma" << 3;
    QTest::newRow("quit from Form5, after a plot") << "Takagi Desenhar Takagi:AbandonarPrograma" << 3;
    QTest::newRow("the start window closed alone") << "close:start" << 1;
    QTest::newRow("the viewer outlives the start window") << "Comentários close:start close:Comentários" << 3;
    QTest::newRow("a graph window closed first") << "Takagi close:Takagi close:start" << 3;
    // A graph window's menus: a switch unloads it, the viewer opens beside it, the close item
    // unloads it alone.
    QTest::newRow("Form1 to Form4") << "Weierstrass1 Weierstrass1:Weierstrass2 close:start close:Weierstrass2" << 4;
    QTest::newRow("Form5 to Form1") << "Takagi Takagi:Weierstrass1 close:start close:Weierstrass1" << 4;
    QTest::newRow("Form4, the viewer beside it")
        << "Weierstrass2 Weierstrass2:Comentários close:start close:Weierstrass2 close:Comentários" << 5;
    QTest::newRow("Form1 closed by its menu") << "Weierstrass1 Weierstrass1:FecherPágina close:start" << 3;
    QTest::newRow("Form5 closed by its menu") << "Takagi Takagi:FecharPágina close:start" << 3;
}

// The program run by this test program as a process of its own (see main): it ends at the step
// that leaves no window or quits, its event loop returning 0, with no thread left at work.
void TestEndToEnd::programEnds()
{
    QFETCH(QString, steps);
    QFETCH(int, endsAfter);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--steps"), steps});
    QVERIFY2(program.waitForFinished(15000), "the program did not end");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()),
             QStringLiteral("ended after step %1: event loop 0, threads at work 0\n").arg(endsAfter));
    QCOMPARE(program.exitCode(), 0);
}

namespace {

// The program, driven from inside its event loop one step at a time; a second after the last step
// it is ended from outside, with status 99.
int runSteps(const QStringList& steps)
{
    QHash<QString, QPointer<QMainWindow>> opened; // by the item that opened them
    QString last = QStringLiteral("start");
    int taken = 0;
    std::function<void()> next = [&] {
        if (taken == steps.size())
            return QTimer::singleShot(1000, [] { QCoreApplication::exit(99); });
        const QString step = steps[taken++];
        for (QMainWindow* shown : shownWindows())
            if (opened.key(shown).isEmpty())
                opened[last] = shown; // the start window, at the first step
        const QString window = step.section(u':', 0, 0), item = step.section(u':', 1);
        QMainWindow* const form = opened.value(window);
        if (step == QLatin1String("Desenhar"))
            QTest::mouseClick(named<QWidget>(opened[last], "Desenhar"), Qt::LeftButton);
        else if (window == QLatin1String("close"))
            opened[item]->close();
        else if (item.isEmpty())
            clickBar(opened[QStringLiteral("start")], qPrintable(last = step));
        else if (named<QMenu>(form, "Ficheiro")->actions().contains(named<QAction>(form, qPrintable(item))))
            chooseFromFicheiro(form, qPrintable(item));
        else
            clickBar(form, qPrintable(last = item));
        QTimer::singleShot(100, next);
    };
    QTimer::singleShot(0, next);
    const int status = shell::runProgram();
    std::printf("ended after step %d: event loop %d, threads at work %d\n", taken, status,
                QThreadPool::globalInstance()->activeThreadCount());
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--steps") == 0)
        return runSteps(QString::fromUtf8(argv[2]).split(u' '));
    TestEndToEnd test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_endtoend.moc"
