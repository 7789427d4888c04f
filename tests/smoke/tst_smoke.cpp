// The program on a real X display: what its windows put on the screen, read back from the screen.
#include "Form.h"
#include "Form3.h"
#include "PictureBox.h"
#include "Windows.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

using platform::FormKind;
using platform::Forms;

namespace {

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
            if (!match)
                continue;
            for (int y = 0; y < picture.height() && match; ++y)
                for (int x = 0; x < picture.width() && match; ++x)
                    match = screen.pixel(ox + x, oy + y) == picture.pixel(x, y);
            if (match)
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
        count += (row ? image.pixel(i, at) : image.pixel(at, i)) == qRgb(0, 0, 0) ? 1 : 0;
    return count;
}

} // namespace

class TestSmoke : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void programShowsItsStartWindow();
    void graphWindowsOpenFromTheMenu();

private:
    void clickBar(Form3* start, const char* name);
};

void TestSmoke::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
}

// The real program starts on its start window, the title picture at its own size.
void TestSmoke::programShowsItsStartWindow()
{
    const QImage title =
        QImage(QStringLiteral(":/pictures/titulo.bmp")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(title.size(), QSize(567, 567));

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

void TestSmoke::clickBar(Form3* start, const char* name)
{
    auto* action = start->findChild<QAction*>(QString::fromUtf8(name));
    QVERIFY2(action, name);
    QMenuBar* bar = start->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
}

// Each graph window, chosen from the start window's menu, shows its axes on the screen.
void TestSmoke::graphWindowsOpenFromTheMenu()
{
    // Where to save the screen at the end, if anywhere; a relative path is taken from the top of
    // the source tree (TRIVELAS_SCREENSHOT=docs/screenshot.png).
    QString screenshot = qEnvironmentVariable("TRIVELAS_SCREENSHOT");
    if (!screenshot.isEmpty())
        screenshot = QDir(QStringLiteral(TRIVELAS_SOURCE_DIR)).absoluteFilePath(screenshot);

    shell::registerWindowKinds();
    auto* start = static_cast<Form3*>(Forms::show(FormKind::Form3));
    QVERIFY(start);
    start->move(0, 0);
    QVERIFY(QTest::qWaitForWindowExposed(start));

    struct Item {
        const char* name;
        FormKind kind;
        QPoint place;
    };
    const Item items[] = {
        {"Weierstrass1", FormKind::Form1, QPoint(140, 60)},
        {"Weierstrass2", FormKind::Form4, QPoint(320, 150)},
        {"Takagi", FormKind::Form5, QPoint(500, 240)},
    };
    for (const Item& item : items) {
        clickBar(start, item.name);
        platform::Form* form = Forms::instance(item.kind);
        QVERIFY2(form, item.name);
        form->move(item.place);
        form->raise();
        QVERIFY(QTest::qWaitForWindowExposed(form));

        auto* picture = form->findChild<platform::PictureBox*>(QStringLiteral("Picture1"));
        QVERIFY(picture);
        QVERIFY(picture->isVisible());
        const QPoint origin = picture->mapper().map(0.0f, 0.0f);
        const QRect area(picture->mapToGlobal(QPoint(0, 0)), picture->size());

        // What the X server holds, once the window has been painted there.
        QImage shown;
        const auto xAxisShown = [&] {
            shown = grabScreen(area);
            return blackOnLine(shown, Qt::Horizontal, origin.y()) > area.width() * 9 / 10;
        };
        QTRY_VERIFY_WITH_TIMEOUT(xAxisShown(), 5000);
        QVERIFY2(blackOnLine(shown, Qt::Vertical, origin.x()) > area.height() * 9 / 10, item.name);
        // Only the axes are black there: the rows beside the x axis are not.
        QVERIFY2(blackOnLine(shown, Qt::Horizontal, origin.y() - 20) < area.width() / 10,
                 item.name);

        // The picture for the documentation shows each function drawn with its defaults.
        if (!screenshot.isEmpty()) {
            auto* draw = form->findChild<QToolButton*>(QStringLiteral("Desenhar"));
            QVERIFY(draw);
            draw->click();
        }
    }
    QCOMPARE(Forms::instance(FormKind::Form3), start);

    if (!screenshot.isEmpty()) {
        QTest::qWait(200);
        QVERIFY(QDir().mkpath(QFileInfo(screenshot).absolutePath()));
        QVERIFY(grabScreen().save(screenshot));
    }

    for (FormKind kind : {FormKind::Form1, FormKind::Form4, FormKind::Form5, FormKind::Form3})
        Forms::unload(kind);
}

QTEST_MAIN(TestSmoke)
#include "tst_smoke.moc"
