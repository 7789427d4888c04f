// The whole program as a user drives it: windows opened from the menus, functions drawn, pages
// turned, a drawing copied and saved, windows closed until the program ends, each step checked by
// what the user sees. Runs on any platform; on an X display it also reads the screen.
#include "Form.h"
#include "Form1.h"
#include "Form2.h"
#include "Form3.h"
#include "Form5.h"
#include "GraphForm.h"
#include "ModalHelper.h"
#include "PictureBox.h"
#include "Windows.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <vector>

using platform::FormKind;
using platform::Forms;
using Kinds = QList<FormKind>;

namespace {

constexpr FormKind allKinds[] = {FormKind::Form1, FormKind::Form2, FormKind::Form3, FormKind::Form4,
                                 FormKind::Form5};

const QRgb graphColour = qRgb(0, 0, 255); // a fresh graph window draws in blue
const QRgb black = qRgb(0, 0, 0);

// A whole session may take this long; once its last step has ended the program, the event loop
// must return within the second limit. A message box or dialog that nobody expected is failed and
// closed after the third.
constexpr int sessionLimitMs = 40000;
constexpr int endLimitMs = 3000;
constexpr int strayModalMs = 3000;

// What a graph window shows when it opens, and the partial sum of its series at x = 0 with the
// default parameters: for the first Weierstrass function 0.5 + 0.25 + ... + 0.5^10 = 1 - 2^-10,
// for the other two 0.
struct GraphWindowCase {
    const char* startItem;
    FormKind kind;
    const char* title;
    std::vector<std::pair<const char*, const char*>> parameters;
    double valueAtZero;
};

const GraphWindowCase graphWindows[] = {
    {"Weierstrass1", FormKind::Form1, "FUNÇÃO DE WEIERSTRASS 1",
     {{"ValorA", "0.5"}, {"ValorB", "13"}, {"ValorNWeier1", "10"}}, 1023.0 / 1024.0},
    {"Weierstrass2", FormKind::Form4, "FUNÇÃO DE WEIERSTRASS 2", {{"ValorAWeier2", "3"}, {"ValorNWeier2", "50"}}, 0.0},
    {"Takagi", FormKind::Form5, "FUNÇÃO DE TAKAGI", {{"ValorNTakagi", "50"}}, 0.0},
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

Kinds loadedKinds()
{
    Kinds kinds;
    for (FormKind kind : allKinds)
        if (Forms::instance(kind))
            kinds.append(kind);
    return kinds;
}

QList<platform::Form*> visibleForms()
{
    QList<platform::Form*> forms;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<platform::Form*>(widget); form && form->isVisible())
            forms.append(form);
    return forms;
}

GraphForm* graphWindow(FormKind kind)
{
    return static_cast<GraphForm*>(Forms::instance(kind));
}

// Places a window where it goes on the X display and waits until it shows.
bool shownAt(QWidget* window, QPoint place)
{
    window->move(place);
    return QTest::qWaitForWindowExposed(window);
}

// The offscreen platform says, each time a window is raised or a drop-down opens, that it cannot
// do it; that is no news for these tests, and it buried the lines that are.
QtMessageHandler testLogHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtWarningMsg || !message.startsWith(QLatin1String("This plugin does not support")))
        testLogHandler(type, context, message);
}

// Ends whatever is left of a session that went wrong, so that the next one starts clean.
void endByForce()
{
    clearModalExpectations();
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        if (QApplication::activeModalWidget() == modal)
            break; // it will go when its own loop ends
    }
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* menu = qobject_cast<QMenu*>(widget); menu && menu->isVisible())
            menu->close();
    Forms::endProgram();
}

// Chooses an entry of a window's menu bar with the mouse.
void clickBar(platform::Form* form, const char* name)
{
    auto* action = form->findChild<QAction*>(QString::fromUtf8(name));
    QVERIFY2(action, name);
    const QRect place = form->menuBar()->actionGeometry(action);
    QVERIFY2(place.isValid(), name);
    QTest::mouseClick(form->menuBar(), Qt::LeftButton, {}, place.center());
}

// Opens the "Ficheiro" drop-down of a window's menu bar and clicks one of its items.
void chooseFromFicheiro(platform::Form* form, const char* name)
{
    auto* ficheiro = form->findChild<QMenu*>(QStringLiteral("Ficheiro"));
    auto* item = form->findChild<QAction*>(QString::fromUtf8(name));
    QVERIFY(ficheiro);
    QVERIFY2(item, name);
    QMenuBar* bar = form->menuBar();
    const QPoint onBar = bar->actionGeometry(ficheiro->menuAction()).center();
    // The pointer goes where the user clicks: a drop-down takes a click on an item only from a
    // pointer that moved away from where it was when the drop-down opened.
    QCursor::setPos(bar->mapToGlobal(onBar));
    QTest::mouseClick(bar, Qt::LeftButton, {}, onBar);
    QTRY_VERIFY_WITH_TIMEOUT(ficheiro->isVisible(), 5000);
    QTest::mouseClick(ficheiro, Qt::LeftButton, {}, ficheiro->actionGeometry(item).center());
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void realProgramShowsItsTitle();
    void userSession();
    void quitEndsEverythingAtOnce_data();
    void quitEndsEverythingAtOnce();

private:
    int runProgram(const std::function<void()>& script);
    void opensAndDraws(const GraphWindowCase& window);

    QTemporaryDir m_dir;
    QString m_screenshot;
    bool m_lastWindowClosed = false; // the program's last window went, in this session
};

void TestEndToEnd::initTestCase()
{
    QVERIFY(m_dir.isValid());
    testLogHandler = qInstallMessageHandler(quietHandler);
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
    clearModalExpectations();
    for (FormKind kind : allKinds)
        Forms::unload(kind);
    QTRY_VERIFY(visibleForms().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Plays `script` inside the event loop of the program, started as its main starts it: the start
// window shown, then the loop. Returns what the loop returned. A script that fails, or a program
// that does not end once the script is over, is ended by force so that the next test starts clean.
int TestEndToEnd::runProgram(const std::function<void()>& script)
{
    shell::registerWindowKinds();
    Forms::show(FormKind::Form3);

    m_lastWindowClosed = false;
    const QMetaObject::Connection lastWindow = connect(qApp, &QGuiApplication::lastWindowClosed, this,
                                                      [this] { m_lastWindowClosed = true; });
    QString overdue = QStringLiteral("the session did not finish within %1 ms").arg(sessionLimitMs);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [&] {
        QTest::qFail(qPrintable(overdue), __FILE__, __LINE__);
        endByForce();
        QCoreApplication::exit(99);
    });

    // A message box nobody answers would stop the session where it stands.
    QPointer<QWidget> stray;
    QElapsedTimer strayFor;
    QTimer modalGuard;
    connect(&modalGuard, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != stray) {
            stray = modal;
            strayFor.start();
        } else if (modal && strayFor.elapsed() > strayModalMs) {
            const auto* box = qobject_cast<QMessageBox*>(modal);
            const QString shown = modal->windowTitle() + QStringLiteral(": ") + (box ? box->text() : QString());
            QTest::qFail(qPrintable(QStringLiteral("unexpected %1 left open (%2)")
                                        .arg(QString::fromLatin1(modal->metaObject()->className()), shown)),
                         __FILE__, __LINE__);
            modal->close();
        }
    });

    QTimer::singleShot(0, this, [&] {
        script();
        if (QTest::currentTestFailed()) {
            endByForce();
            return;
        }
        // The script's last step has ended the program: the loop returns as soon as it runs again.
        overdue = QStringLiteral("the program was still running %1 ms after the session's last step").arg(endLimitMs);
        watchdog.start(endLimitMs);
    });
    watchdog.start(sessionLimitMs);
    modalGuard.start(100);
    const int code = QApplication::exec();
    disconnect(lastWindow);
    return code;
}

// A graph window chosen from the start window's menu opens with its defaults and its axes; its
// draw button puts the curve over them.
void TestEndToEnd::opensAndDraws(const GraphWindowCase& window)
{
    clickBar(Forms::instance<Form3>(), window.startItem);
    GraphForm* form = graphWindow(window.kind);
    QVERIFY2(form && shownAt(form, graphPlace), window.startItem);
    // The window just shown is the one the user works in.
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCOMPARE(form->windowTitle(), QStringLiteral("TRIVELAS MORVANICAS"));
    QCOMPARE(form->Label6->text(), QString::fromUtf8(window.title));
    for (const auto& [name, text] : window.parameters) {
        auto* field = form->findChild<QLineEdit*>(QString::fromUtf8(name));
        QVERIFY2(field, name);
        QCOMPARE(field->text(), QString::fromUtf8(text));
    }

    // The axes through the origin, nothing drawn in the graph colour yet; on the screen only the
    // axes are black: the row beside the x axis is not.
    const QImage axes = form->Picture1->image();
    const QPoint origin = form->Picture1->mapper().map(0.0f, 0.0f);
    QVERIFY2(axesThrough(axes, origin), window.startItem);
    QCOMPARE(pixelsOf(axes, graphColour), 0);
    if (onX11()) {
        QImage shown;
        QTRY_VERIFY_WITH_TIMEOUT(axesThrough(shown = grabScreen(form->Picture1), origin), 5000);
        QVERIFY(pixelsOf(shown, black, QRect(0, origin.y() - 20, shown.width(), 1)) < shown.width() / 10);
    }

    // The curve lies over the axes, which stay as they were under it. It starts at (0, f(0)) and
    // runs across the whole abscissa range.
    QTest::mouseClick(form->Desenhar, Qt::LeftButton);
    const QImage drawn = form->Picture1->image();
    QCOMPARE(pixelsWhere(drawn.rect(),
                         [&](QPoint p) { return drawn.pixel(p) != axes.pixel(p) && drawn.pixel(p) != graphColour; }),
             0);
    const platform::PixelMapper mapper = form->Picture1->mapper();
    QCOMPARE(drawn.pixel(mapper.map(0.0f, float(window.valueAtZero))), graphColour);
    const int first = mapper.map(float(form->axisState().XMinimo), 0.0f).x();
    const int last = mapper.map(float(form->axisState().XMaximo), 0.0f).x();
    QVERIFY(last - first > 500);
    const int columns = pixelsWhere(QRect(first, 0, last - first + 1, 1), [&](QPoint p) {
        return pixelsOf(drawn, graphColour, QRect(p.x(), 0, 1, drawn.height())) > 0;
    });
    QVERIFY2(columns >= last - first, qPrintable(QStringLiteral("%1 of %2 columns").arg(columns).arg(last - first + 1)));

    if (!onX11())
        return;
    // Every pixel of the curve that no picture on the surface covers is on the screen too.
    QRegion covered;
    for (QWidget* child : form->Picture1->findChildren<QWidget*>())
        if (child->isVisible())
            covered += child->geometry();
    const auto curve = [&](QPoint p) { return drawn.pixel(p) == graphColour && !covered.contains(p); };
    QVERIFY(pixelsWhere(drawn.rect(), curve) > 500);
    const auto missing = [&] {
        const QImage shown = grabScreen(form->Picture1);
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

// From the start to the end by the last window's close: every road between the windows a user
// takes, each step checked by what the user sees. The first failed check ends the session.
void TestEndToEnd::userSession()
{
    const int code = runProgram([this] {
        // The program starts on its start window alone, its title picture showing.
        const QPointer<Form3> start = Forms::instance<Form3>();
        QVERIFY(start && shownAt(start, startPlace));
        QCOMPARE(loadedKinds(), Kinds{FormKind::Form3});
        QCOMPARE(visibleForms(), QList<platform::Form*>{start.data()});
        QCOMPARE(start->windowTitle(), QStringLiteral("TRIVELAS MORVANICAS"));
        const QImage title = titlePicture();
        QCOMPARE(title.size(), QSize(567, 567));
        const QRect inWindow(start->Image1->mapTo(start, QPoint(0, 0)), title.size());
        QCOMPARE(start->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(inWindow), title);
        if (onX11())
            QTRY_VERIFY_WITH_TIMEOUT(grabScreen(start->Image1) == title, 5000);

        for (const GraphWindowCase& window : graphWindows) {
            opensAndDraws(window);
            if (QTest::currentTestFailed())
                return;
        }

        // The drawing of the active graph window goes to the clipboard and to a bitmap file, the
        // same picture both ways, and stays as it was.
        QPointer<Form5> takagi = Forms::instance<Form5>();
        QVERIFY(takagi);
        const QImage drawn = takagi->Picture1->image();
        QVERIFY(pixelsOf(drawn, graphColour) > 0);
        QTest::mouseClick(takagi->CopiarFunção, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), drawn);
        ModalAnswer save = expectModal(saveAs(m_dir.filePath(QStringLiteral("grafico"))));
        QTest::mouseClick(takagi->GuardarGráfico, Qt::LeftButton);
        QVERIFY(save.wait());
        QCOMPARE(save.record().title, QStringLiteral("Guardar como"));
        QCOMPARE(QImage(m_dir.filePath(QStringLiteral("grafico.bmp"))).convertToFormat(QImage::Format_RGB32), drawn);
        QCOMPARE(takagi->Picture1->image(), drawn);

        // The user types values of their own in two graph windows, then leaves the first
        // Weierstrass window by its menu for the Takagi one: it goes, the other shows as it was
        // left. Back again, a fresh first Weierstrass window with its defaults and no graph.
        QPointer<Form1> weierstrass = Forms::instance<Form1>();
        QVERIFY(weierstrass);
        takagi->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(takagi));
        takagi->ValorNTakagi->selectAll();
        QTest::keyClicks(takagi->ValorNTakagi, QStringLiteral("7"));
        weierstrass->raise();
        weierstrass->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(weierstrass));
        weierstrass->ValorA->selectAll();
        QTest::keyClicks(weierstrass->ValorA, QStringLiteral("0.7"));
        QCOMPARE(weierstrass->ValorA->text(), QStringLiteral("0.7"));
        clickBar(weierstrass, "Takagi");
        QTRY_VERIFY(weierstrass.isNull());
        QCOMPARE(Forms::instance<Form5>(), takagi.data());
        QVERIFY(takagi->isVisible());
        QCOMPARE(takagi->ValorNTakagi->text(), QStringLiteral("7"));
        clickBar(takagi, "Weierstrass1");
        QTRY_VERIFY(takagi.isNull());
        weierstrass = Forms::instance<Form1>();
        QVERIFY(weierstrass && shownAt(weierstrass, graphPlace));
        QCOMPARE(weierstrass->ValorA->text(), QStringLiteral("0.5"));
        QCOMPARE(pixelsOf(weierstrass->Picture1->image(), graphColour), 0);
        QVERIFY(axesThrough(weierstrass->Picture1->image(), weierstrass->Picture1->mapper().map(0.0f, 0.0f)));
        QCOMPARE(loadedKinds(), (Kinds{FormKind::Form1, FormKind::Form3, FormKind::Form4}));

        // "Comentários" opens the viewer over the graph window; the user reads to the last page
        // and back. Coming back to the graph window then draws its axes afresh, without the curve.
        QVERIFY(QTest::qWaitForWindowActive(weierstrass));
        QTest::mouseClick(weierstrass->Desenhar, Qt::LeftButton);
        QVERIFY(pixelsOf(weierstrass->Picture1->image(), graphColour) > 0);
        clickBar(weierstrass, "Comentários");
        QPointer<Form2> comments = Forms::instance<Form2>();
        QVERIFY(comments && shownAt(comments, viewerPlace));
        QCOMPARE(comments->windowTitle(), QStringLiteral("COMENTÁRIOS"));
        QVERIFY(weierstrass->isVisible());
        for (int click = 0; click < 13; ++click) // the last one, on the greyed arrow, turns nothing
            QTest::mouseClick(comments->SetaD, Qt::LeftButton);
        QCOMPARE(comments->Label2->text(), QStringLiteral("13"));
        for (int click = 0; click < 12; ++click)
            QTest::mouseClick(comments->SetaE, Qt::LeftButton);
        QCOMPARE(comments->Label2->text(), QStringLiteral("1"));
        QTest::mouseClick(comments->SetaD, Qt::LeftButton); // left open on page 2
        weierstrass->raise();
        weierstrass->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(weierstrass));
        QTRY_COMPARE_WITH_TIMEOUT(pixelsOf(weierstrass->Picture1->image(), graphColour), 0, 5000);

        // Windows closed one by one by every means a user has: the viewer by its own button, a
        // graph window by "Fechar esta página"; the others stay.
        QTest::mouseClick(comments->Command1, Qt::LeftButton);
        QTRY_VERIFY(comments.isNull());
        QCOMPARE(loadedKinds(), (Kinds{FormKind::Form1, FormKind::Form3, FormKind::Form4}));
        QPointer<platform::Form> closed = Forms::instance(FormKind::Form4);
        QVERIFY(closed);
        chooseFromFicheiro(closed, "FecharPágina");
        QTRY_VERIFY(closed.isNull());
        QCOMPARE(loadedKinds(), (Kinds{FormKind::Form1, FormKind::Form3}));

        // The start window by its close box: the program goes on, and the graph window's menu
        // leads to the other graph windows and to the viewer, open again on its first page.
        QVERIFY(start->close());
        QTRY_VERIFY(start.isNull());
        QVERIFY(!m_lastWindowClosed);
        QVERIFY(weierstrass->isVisible());
        clickBar(weierstrass, "Takagi");
        takagi = Forms::instance<Form5>();
        QVERIFY(takagi && QTest::qWaitForWindowExposed(takagi));
        clickBar(takagi, "Comentários");
        comments = Forms::instance<Form2>();
        QVERIFY(comments && QTest::qWaitForWindowExposed(comments));
        QCOMPARE(comments->Label2->text(), QStringLiteral("1"));
        clickBar(takagi, "Weierstrass1");
        weierstrass = Forms::instance<Form1>();
        QVERIFY(weierstrass && QTest::qWaitForWindowExposed(weierstrass));
        QCOMPARE(loadedKinds(), (Kinds{FormKind::Form1, FormKind::Form2}));

        // The viewer by its close box; the last window, by its "Fechar esta página", ends the
        // program.
        QVERIFY(comments->close());
        QCOMPARE(loadedKinds(), Kinds{FormKind::Form1});
        QVERIFY(!m_lastWindowClosed);
        chooseFromFicheiro(weierstrass, "FecherPágina");
        QCOMPARE(loadedKinds(), Kinds{});
        QVERIFY(visibleForms().isEmpty());
        QVERIFY(m_lastWindowClosed);
    });
    QCOMPARE(code, 0);
    QCOMPARE(loadedKinds(), Kinds{});
}

void TestEndToEnd::quitEndsEverythingAtOnce_data()
{
    QTest::addColumn<FormKind>("from");
    QTest::newRow("start window") << FormKind::Form3;
    QTest::newRow("first Weierstrass window") << FormKind::Form1;
    QTest::newRow("second Weierstrass window") << FormKind::Form4;
    QTest::newRow("Takagi window") << FormKind::Form5;
}

// "Abandonar o programa" with every window open closes them all at once, asking nothing.
void TestEndToEnd::quitEndsEverythingAtOnce()
{
    QFETCH(FormKind, from);
    const int code = runProgram([from] {
        Form3* start = Forms::instance<Form3>();
        QVERIFY(start && QTest::qWaitForWindowExposed(start));
        for (const char* item : {"Weierstrass1", "Weierstrass2", "Takagi", "Comentários"})
            clickBar(start, item);
        QCOMPARE(visibleForms().size(), 5);
        platform::Form* form = Forms::instance(from);
        QVERIFY(form && QTest::qWaitForWindowExposed(form));
        chooseFromFicheiro(form, "AbandonarPrograma");
        QCOMPARE(loadedKinds(), Kinds{});
        QVERIFY(visibleForms().isEmpty());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    });
    QCOMPARE(code, 0);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
