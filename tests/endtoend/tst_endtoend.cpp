// The whole program as a user drives it: windows opened from the menus, functions drawn, pages
// turned, a drawing copied and saved, windows closed until the program ends, each step checked by
// what the user sees. Runs on any platform; on an X display it also reads the screen.
#include "Form.h"
#include "Form1.h"
#include "Form2.h"
#include "Form3.h"
#include "Form4.h"
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
#include <QFile>
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

#include <functional>
#include <vector>

using platform::FormKind;
using platform::Forms;

namespace {

constexpr FormKind allKinds[] = {FormKind::Form1, FormKind::Form2, FormKind::Form3, FormKind::Form4,
                                 FormKind::Form5};

const QRgb graphColour = qRgb(0, 0, 255); // a fresh graph window draws in blue
const QRgb black = qRgb(0, 0, 0);

// A whole session may take this long; once its last step has ended the program, the event loop
// must return within the second limit.
constexpr int sessionLimitMs = 40000;
constexpr int endLimitMs = 3000;
// A message box or dialog that nobody expected is failed and closed after this long.
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

QImage grabScreen(const QRect& area = {})
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect rect = area.isNull() ? screen->geometry() : area;
    return screen->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
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
            if (ox + picture.width() > screen.width() || oy + picture.height() > screen.height())
                continue;
            bool match = true;
            for (const QPoint& p : sample) {
                if (screen.pixel(ox + p.x(), oy + p.y()) != picture.pixel(p)) {
                    match = false;
                    break;
                }
            }
            if (match && screen.copy(QRect(QPoint(ox, oy), picture.size())) == picture)
                return QPoint(ox, oy);
        }
    }
    return {};
}

// Black pixels on one row (or column) of the image.
int blackOnLine(const QImage& image, Qt::Orientation orientation, int at)
{
    const bool row = orientation == Qt::Horizontal;
    int count = 0;
    for (int i = 0; i < (row ? image.width() : image.height()); ++i)
        count += (row ? image.pixel(i, at) : image.pixel(at, i)) == black ? 1 : 0;
    return count;
}

int countColour(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

// Columns from `first` to `last` that hold at least one pixel of the colour.
int columnsWith(const QImage& image, QRgb colour, int first, int last)
{
    int count = 0;
    for (int x = qMax(first, 0); x <= qMin(last, image.width() - 1); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) == colour) {
                ++count;
                break;
            }
        }
    }
    return count;
}

// Pixels that changed from `before` to `after` to anything but `added`.
int changedOtherThan(const QImage& before, const QImage& after, QRgb added)
{
    int count = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            count += after.pixel(x, y) != before.pixel(x, y) && after.pixel(x, y) != added ? 1 : 0;
    return count;
}

// Pixels at least half dark: the lettering of a page.
int darkPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return count;
}

QList<FormKind> loadedKinds()
{
    QList<FormKind> kinds;
    for (FormKind kind : allKinds)
        if (Forms::instance(kind))
            kinds.append(kind);
    return kinds;
}

QList<platform::Form*> visibleForms()
{
    QList<platform::Form*> forms;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<platform::Form*>(widget);
        if (form && form->isVisible())
            forms.append(form);
    }
    return forms;
}

GraphForm* graphWindow(FormKind kind)
{
    return static_cast<GraphForm*>(Forms::instance(kind));
}

Form3* startWindow()
{
    return static_cast<Form3*>(Forms::instance(FormKind::Form3));
}

Form2* viewer()
{
    return static_cast<Form2*>(Forms::instance(FormKind::Form2));
}

QWidget* page(Form2* form, int n)
{
    return form->findChild<QWidget*>(QStringLiteral("Image1(%1)").arg(n));
}

// The pages of the viewer that show.
QList<int> visiblePages(Form2* form)
{
    QList<int> shown;
    for (int n = 1; n <= Form2::NúmeroDePáginas; ++n) {
        if (QWidget* p = page(form, n); p && p->isVisible())
            shown.append(n);
    }
    return shown;
}

// The offscreen platform says, each time a window is raised or a drop-down opens, that it cannot
// do it; that is no news for these tests, and it buried the lines that are.
QtMessageHandler testLogHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
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

    void clickBar(platform::Form* form, const char* name);
    void chooseFromFicheiro(platform::Form* form, const char* name);
    void checkViewer(int page);
    void checkCurveOnScreen(GraphForm* form);

    void startsWithItsStartWindowAlone();
    void opensAndDraws(const GraphWindowCase& window);
    void copiesAndSaves();
    void switchesBetweenGraphWindows();
    void readsTheComments();
    void closesWindowsUntilTheEnd();

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
    if (onX11()) {
        // The pointer out of the way, under no window: it raises no tooltip over a drawing.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCursor::setPos(screen.bottomRight());
    }
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
    modalGuard.setInterval(100);
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
    modalGuard.start();
    const int code = QApplication::exec();
    watchdog.stop();
    modalGuard.stop();
    disconnect(lastWindow);
    return code;
}

// Chooses an entry of a window's menu bar with the mouse.
void TestEndToEnd::clickBar(platform::Form* form, const char* name)
{
    auto* action = form->findChild<QAction*>(QString::fromUtf8(name));
    QVERIFY2(action, name);
    QMenuBar* bar = form->menuBar();
    const QRect place = bar->actionGeometry(action);
    QVERIFY2(place.isValid(), name);
    QTest::mouseClick(bar, Qt::LeftButton, {}, place.center());
}

// Opens the "Ficheiro" drop-down of a window's menu bar and clicks one of its items.
void TestEndToEnd::chooseFromFicheiro(platform::Form* form, const char* name)
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

// The program starts on its start window alone, its title picture showing.
void TestEndToEnd::startsWithItsStartWindowAlone()
{
    Form3* start = startWindow();
    QVERIFY(start);
    start->move(startPlace);
    QVERIFY(QTest::qWaitForWindowExposed(start));
    QCOMPARE(loadedKinds(), QList<FormKind>{FormKind::Form3});
    QCOMPARE(visibleForms(), QList<platform::Form*>{start});
    QCOMPARE(start->windowTitle(), QStringLiteral("TRIVELAS MORVANICAS"));

    const QImage title =
        QImage(QStringLiteral(":/pictures/titulo.bmp")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(title.size(), QSize(567, 567));
    const QRect inWindow(start->Image1->mapTo(start, QPoint(0, 0)), title.size());
    QCOMPARE(start->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(inWindow), title);
    if (onX11()) {
        const QRect onScreen(start->Image1->mapToGlobal(QPoint(0, 0)), title.size());
        QTRY_VERIFY_WITH_TIMEOUT(grabScreen(onScreen) == title, 5000);
    }
}

// Every pixel of the curve that no picture on the surface covers is on the screen too.
void TestEndToEnd::checkCurveOnScreen(GraphForm* form)
{
    const QImage drawn = form->Picture1->image();
    QRegion covered;
    for (QWidget* child : form->Picture1->findChildren<QWidget*>())
        if (child->isVisible())
            covered += child->geometry();
    const QRect area(form->Picture1->mapToGlobal(QPoint(0, 0)), form->Picture1->size());
    int checked = 0;
    const auto missing = [&] {
        const QImage shown = grabScreen(area);
        int count = 0;
        checked = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if (drawn.pixel(x, y) != graphColour || covered.contains(QPoint(x, y)))
                    continue;
                ++checked;
                count += shown.pixel(x, y) != graphColour ? 1 : 0;
            }
        }
        return count;
    };
    QTRY_COMPARE_WITH_TIMEOUT(missing(), 0, 5000);
    QVERIFY2(checked > 500, qPrintable(QString::number(checked)));
}

// A graph window chosen from the start window's menu opens with its defaults and its axes; its
// draw button puts the curve over them.
void TestEndToEnd::opensAndDraws(const GraphWindowCase& window)
{
    clickBar(startWindow(), window.startItem);
    GraphForm* form = graphWindow(window.kind);
    QVERIFY2(form, window.startItem);
    form->move(graphPlace);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    // The window just shown is the one the user works in.
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCOMPARE(form->windowTitle(), QStringLiteral("TRIVELAS MORVANICAS"));
    QCOMPARE(form->Label6->text(), QString::fromUtf8(window.title));
    for (const auto& [name, text] : window.parameters) {
        auto* field = form->findChild<QLineEdit*>(QString::fromUtf8(name));
        QVERIFY2(field, name);
        QCOMPARE(field->text(), QString::fromUtf8(text));
    }

    // The axes through the origin, nothing drawn in the graph colour yet.
    const QImage axes = form->Picture1->image();
    const QPoint origin = form->Picture1->mapper().map(0.0f, 0.0f);
    QVERIFY2(blackOnLine(axes, Qt::Horizontal, origin.y()) > axes.width() * 9 / 10, window.startItem);
    QVERIFY2(blackOnLine(axes, Qt::Vertical, origin.x()) > axes.height() * 9 / 10, window.startItem);
    QCOMPARE(countColour(axes, graphColour), 0);
    if (onX11()) {
        const QRect area(form->Picture1->mapToGlobal(QPoint(0, 0)), form->Picture1->size());
        QImage shown;
        const auto xAxisShown = [&] {
            shown = grabScreen(area);
            return blackOnLine(shown, Qt::Horizontal, origin.y()) > area.width() * 9 / 10;
        };
        QTRY_VERIFY_WITH_TIMEOUT(xAxisShown(), 5000);
        QVERIFY(blackOnLine(shown, Qt::Vertical, origin.x()) > area.height() * 9 / 10);
        // Only the axes are black there: the rows beside the x axis are not.
        QVERIFY(blackOnLine(shown, Qt::Horizontal, origin.y() - 20) < area.width() / 10);
    }

    QTest::mouseClick(form->Desenhar, Qt::LeftButton);
    QVERIFY(form->Picture1->isVisible());
    QVERIFY(!form->Picture2->isVisible());
    QCOMPARE(form->MousePointer(), 0);

    // The curve lies over the axes, which stay as they were under it.
    const QImage drawn = form->Picture1->image();
    QCOMPARE(changedOtherThan(axes, drawn, graphColour), 0);
    // It starts at (0, f(0)) and runs across the whole abscissa range.
    const platform::PixelMapper mapper = form->Picture1->mapper();
    QCOMPARE(drawn.pixel(mapper.map(0.0f, float(window.valueAtZero))), graphColour);
    const int first = mapper.map(float(form->axisState().XMinimo), 0.0f).x();
    const int last = mapper.map(float(form->axisState().XMaximo), 0.0f).x();
    QVERIFY(last - first > 500);
    QVERIFY2(columnsWith(drawn, graphColour, first, last) >= last - first,
             qPrintable(QStringLiteral("%1 of %2 columns")
                            .arg(columnsWith(drawn, graphColour, first, last))
                            .arg(last - first + 1)));

    if (onX11()) {
        checkCurveOnScreen(form);
        if (!m_screenshot.isEmpty() && window.kind == screenshotKind) {
            QVERIFY(QDir().mkpath(QFileInfo(m_screenshot).absolutePath()));
            QVERIFY(grabScreen(form->frameGeometry()).save(m_screenshot));
        }
    }
}

// The drawing of the active graph window goes to the clipboard and to a bitmap file, the same
// picture both ways.
void TestEndToEnd::copiesAndSaves()
{
    GraphForm* form = graphWindow(FormKind::Form5);
    QVERIFY(form);
    const QImage drawn = form->Picture1->image();
    QVERIFY(countColour(drawn, graphColour) > 0);

    QTest::mouseClick(form->CopiarFunção, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), drawn);

    ModalAnswer save = expectModal(saveAs(m_dir.filePath(QStringLiteral("grafico"))));
    QTest::mouseClick(form->GuardarGráfico, Qt::LeftButton);
    QVERIFY(save.wait());
    QCOMPARE(save.record().title, QStringLiteral("Guardar como"));
    QCOMPARE(save.record().nameFilters, QStringList{QStringLiteral("Mapa de bits (*.bmp)")});
    QCOMPARE(QDir(save.record().directory), QDir(QCoreApplication::applicationDirPath()));

    QFile file(m_dir.filePath(QStringLiteral("grafico.bmp")));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray header = file.read(30);
    QCOMPARE(header.left(2), QByteArray("BM"));
    QCOMPARE(int(quint8(header.at(28))), 24); // bits per pixel
    file.close();
    const QImage saved(file.fileName());
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), drawn);

    // Neither command touched the drawing.
    QCOMPARE(form->Picture1->image(), drawn);
}

// Leaving a graph window for another one by its menu closes it; coming back gives a fresh one.
void TestEndToEnd::switchesBetweenGraphWindows()
{
    auto* form1 = static_cast<Form1*>(graphWindow(FormKind::Form1));
    auto* form5 = static_cast<Form5*>(graphWindow(FormKind::Form5));
    QVERIFY(form1);
    QVERIFY(form5);

    // The user types values of their own in both windows.
    form5->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form5));
    form5->ValorNTakagi->selectAll();
    QTest::keyClicks(form5->ValorNTakagi, QStringLiteral("7"));
    form1->raise();
    form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1));
    form1->ValorA->selectAll();
    QTest::keyClicks(form1->ValorA, QStringLiteral("0.7"));
    QCOMPARE(form1->ValorA->text(), QStringLiteral("0.7"));

    // "Função de Takagi" in the first Weierstrass window: that window goes, the Takagi window
    // shows as the user left it.
    const QPointer<Form1> leftWindow(form1);
    clickBar(form1, "Takagi");
    QCOMPARE(Forms::instance(FormKind::Form1), nullptr);
    QTRY_VERIFY(leftWindow.isNull());
    QCOMPARE(graphWindow(FormKind::Form5), form5);
    QVERIFY(form5->isVisible());
    QCOMPARE(form5->ValorNTakagi->text(), QStringLiteral("7"));

    // And back: a fresh first Weierstrass window with its defaults and no graph.
    const QPointer<Form5> takagi(form5);
    clickBar(form5, "Weierstrass1");
    QCOMPARE(Forms::instance(FormKind::Form5), nullptr);
    QTRY_VERIFY(takagi.isNull());
    auto* fresh = static_cast<Form1*>(graphWindow(FormKind::Form1));
    QVERIFY(fresh);
    fresh->move(graphPlace);
    QVERIFY(QTest::qWaitForWindowExposed(fresh));
    QCOMPARE(fresh->ValorA->text(), QStringLiteral("0.5"));
    const QImage image = fresh->Picture1->image();
    QCOMPARE(countColour(image, graphColour), 0);
    const QPoint origin = fresh->Picture1->mapper().map(0.0f, 0.0f);
    QVERIFY(blackOnLine(image, Qt::Horizontal, origin.y()) > image.width() * 9 / 10);
    QCOMPARE(loadedKinds(), (QList<FormKind>{FormKind::Form1, FormKind::Form3, FormKind::Form4}));
}

// The viewer's invariant: the current page alone shows, the counter tells its number, the left
// arrow is greyed on the first page only and the right arrow on the last page only.
void TestEndToEnd::checkViewer(int n)
{
    Form2* form = viewer();
    QVERIFY(form);
    QCOMPARE(visiblePages(form), QList<int>{n});
    QCOMPARE(form->Label2->text(), QString::number(n));
    QCOMPARE(form->SetaE->isEnabled(), n != 1);
    QCOMPARE(form->SetaD->isEnabled(), n != 13);
}

// "Comentários" opens the viewer over a graph window; the user reads to the last page and back.
// Coming back to the graph window afterwards draws its axes afresh, without the curve.
void TestEndToEnd::readsTheComments()
{
    GraphForm* form = graphWindow(FormKind::Form1);
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    QTest::mouseClick(form->Desenhar, Qt::LeftButton);
    QVERIFY(countColour(form->Picture1->image(), graphColour) > 0);

    clickBar(form, "Comentários");
    Form2* comments = viewer();
    QVERIFY(comments);
    comments->move(viewerPlace);
    QVERIFY(QTest::qWaitForWindowExposed(comments));
    QCOMPARE(comments->windowTitle(), QStringLiteral("COMENTÁRIOS"));
    QVERIFY(form->isVisible());
    checkViewer(1);
    QCOMPARE(comments->Label1->text(), QStringLiteral("Página"));
    QCOMPARE(comments->Label3->text(), QStringLiteral("de  13"));

    for (int n = 2; n <= 13; ++n) {
        QTest::mouseClick(comments->SetaD, Qt::LeftButton);
        checkViewer(n);
        if (QTest::currentTestFailed())
            return;
    }
    // The last page is there to read.
    QVERIFY(darkPixels(page(comments, 13)->grab().toImage()) > 500);
    QCOMPARE(comments->Label2->y(), comments->Label1->y());
    QCOMPARE(comments->Label3->y(), comments->Label1->y());
    QVERIFY(comments->Label2->geometry().right() < comments->Label3->x());
    // A click on the greyed arrow turns nothing.
    QTest::mouseClick(comments->SetaD, Qt::LeftButton);
    checkViewer(13);

    for (int n = 12; n >= 1; --n) {
        QTest::mouseClick(comments->SetaE, Qt::LeftButton);
        checkViewer(n);
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY(darkPixels(page(comments, 1)->grab().toImage()) > 500);

    // "Comentários" again, from the start window: the same viewer, on its page.
    QTest::mouseClick(comments->SetaD, Qt::LeftButton);
    clickBar(startWindow(), "Comentários");
    QCOMPARE(viewer(), comments);
    checkViewer(2);

    // Back in the graph window, its activation clears the drawing down to the axes.
    form->raise();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QTRY_COMPARE_WITH_TIMEOUT(countColour(form->Picture1->image(), graphColour), 0, 5000);
}

// Windows closed one by one by every means a user has; the program goes on without its start
// window and ends with the last window.
void TestEndToEnd::closesWindowsUntilTheEnd()
{
    using Kinds = QList<FormKind>;
    QCOMPARE(loadedKinds(), (Kinds{FormKind::Form1, FormKind::Form2, FormKind::Form3, FormKind::Form4}));

    // The viewer by its own button.
    const QPointer<Form2> comments(viewer());
    QVERIFY(comments);
    QTest::mouseClick(comments->Command1, Qt::LeftButton);
    QTRY_VERIFY(comments.isNull());
    QCOMPARE(loadedKinds(), (Kinds{FormKind::Form1, FormKind::Form3, FormKind::Form4}));

    // A graph window by "Fechar esta página": the others stay as they are.
    const QPointer<GraphForm> second(graphWindow(FormKind::Form4));
    QVERIFY(second);
    chooseFromFicheiro(second, "FecharPágina");
    QTRY_VERIFY(second.isNull());
    QCOMPARE(loadedKinds(), (Kinds{FormKind::Form1, FormKind::Form3}));

    // The start window by its close box: the graph window left open goes on working, and its
    // menu leads to the viewer and to the other graph windows.
    const QPointer<Form3> start(startWindow());
    QVERIFY(start);
    QVERIFY(start->close());
    QTRY_VERIFY(start.isNull());
    QVERIFY(!m_lastWindowClosed);
    GraphForm* form = graphWindow(FormKind::Form1);
    QVERIFY(form);
    QVERIFY(form->isVisible());
    clickBar(form, "Takagi");
    form = graphWindow(FormKind::Form5);
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    clickBar(form, "Comentários");
    QVERIFY(viewer());
    QVERIFY(QTest::qWaitForWindowExposed(viewer()));
    checkViewer(1);
    clickBar(form, "Weierstrass1");
    form = graphWindow(FormKind::Form1);
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCOMPARE(loadedKinds(), (Kinds{FormKind::Form1, FormKind::Form2}));

    // The viewer by its close box.
    QVERIFY(viewer()->close());
    QCOMPARE(loadedKinds(), Kinds{FormKind::Form1});
    QVERIFY(!m_lastWindowClosed);

    // The last window, by its "Fechar esta página", ends the program.
    chooseFromFicheiro(form, "FecherPágina");
    QCOMPARE(loadedKinds(), Kinds{});
    QVERIFY(visibleForms().isEmpty());
    QVERIFY(m_lastWindowClosed);
}

// The real program, started as the user starts it, shows its title picture on the screen.
void TestEndToEnd::realProgramShowsItsTitle()
{
    if (!onX11())
        QSKIP("reading what another process shows needs an X display");
    const QImage title =
        QImage(QStringLiteral(":/pictures/titulo.bmp")).convertToFormat(QImage::Format_RGB32);

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
// takes, checked on the way.
void TestEndToEnd::userSession()
{
    const int code = runProgram([this] {
        const std::function<void()> steps[] = {
            [this] { startsWithItsStartWindowAlone(); },
            [this] { opensAndDraws(graphWindows[0]); },
            [this] { opensAndDraws(graphWindows[1]); },
            [this] { opensAndDraws(graphWindows[2]); },
            [this] { copiesAndSaves(); },
            [this] { switchesBetweenGraphWindows(); },
            [this] { readsTheComments(); },
            [this] { closesWindowsUntilTheEnd(); },
        };
        for (const auto& step : steps) {
            step();
            if (QTest::currentTestFailed())
                return;
        }
    });
    QCOMPARE(code, 0);
    QCOMPARE(loadedKinds(), QList<FormKind>{});
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
    const int code = runProgram([this, from] {
        Form3* start = startWindow();
        QVERIFY(start);
        QVERIFY(QTest::qWaitForWindowExposed(start));
        for (const char* item : {"Weierstrass1", "Weierstrass2", "Takagi", "Comentários"})
            clickBar(start, item);
        QCOMPARE(visibleForms().size(), 5);
        platform::Form* form = Forms::instance(from);
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowExposed(form));

        chooseFromFicheiro(form, "AbandonarPrograma");
        QCOMPARE(loadedKinds(), QList<FormKind>{});
        QVERIFY(visibleForms().isEmpty());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    });
    QCOMPARE(code, 0);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
