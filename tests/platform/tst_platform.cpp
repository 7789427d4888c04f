// Tests of the windows' services: twips, the drawing surface, dialogs, files and window lifetime.
#include "BitmapFile.h"
#include "Clipboard.h"
#include "CommonDialog.h"
#include "Controls.h"
#include "Fonts.h"
#include "Form.h"
#include "MessageBox.h"
#include "ModalHelper.h"
#include "PictureBox.h"
#include "Pictures.h"
#include "RuntimeError.h"
#include "Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

using namespace platform;

namespace {

constexpr QRgb white = 0xffffffff;
constexpr QRgb blue = 0xff0000ff;
constexpr QRgb black = 0xff000000;

int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

// A surface of the given pixel size that keeps what is drawn on it.
std::unique_ptr<PictureBox> keptBox(int w, int h)
{
    auto box = std::make_unique<PictureBox>();
    box->resize(w, h);
    box->setAutoRedraw(true);
    return box;
}

int errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

// A window that counts its load and activate events.
class ProbeForm : public Form {
public:
    explicit ProbeForm(FormKind kind) : Form(kind) { resize(160, 120); }
    void Form_Load() override
    {
        ++loads;
        shownAtLoad = isVisible();
        typed = QStringLiteral("default");
    }
    void Form_Activate() override { ++activates; }

    int loads = 0;
    int activates = 0;
    bool shownAtLoad = true;
    QString typed;
};

ProbeForm* probe(FormKind kind)
{
    return static_cast<ProbeForm*>(Forms::instance(kind));
}

bool activate(QWidget* w)
{
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// Runs the event loop as the program does and tells whether `action` makes it return.
bool endsProgram(const std::function<void()>& action)
{
    QTimer::singleShot(0, action);
    QTimer neverEnds;
    neverEnds.setSingleShot(true);
    QObject::connect(&neverEnds, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    neverEnds.start(5000);
    return QApplication::exec() == 0;
}

CommonDialog bitmapSaveDialog(const QString& folder)
{
    CommonDialog dialog;
    dialog.setFlags(0x200802);
    dialog.setInitDir(folder);
    dialog.setFilter(QStringLiteral("Mapa de bits (*.bmp)|*.bmp"));
    dialog.setDefaultExt(QStringLiteral("bmp"));
    return dialog;
}

// The largest difference of one colour channel between two images of one size (-1: sizes differ).
int largestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

// Alike to the eye: a handful of pixels (of antialiased edges) a few levels apart at most.
bool looksAlike(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    int differing = 0;
    for (int row = 0; row < a.height(); ++row)
        for (int col = 0; col < a.width(); ++col)
            differing += a.pixel(col, row) != b.pixel(col, row);
    return largestDifference(a, b) <= 8 && differing * 100 <= a.width() * a.height();
}

// A file that is not a picture.
QString notAPicture()
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("text.svg"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("Comece por premir a tecla [Desenhar]");
    return path;
}

// A picture with shapes, a gradient and text, written once for the whole run.
QString samplePicture()
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sample.svg"));
    if (!QFile::exists(path)) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write("<svg xmlns='http://www.w3.org/2000/svg' width='120' height='60' viewBox='0 0 120 60'>"
                       "<defs><linearGradient id='g'><stop offset='0' stop-color='#f00'/>"
                       "<stop offset='1' stop-color='#00f'/></linearGradient></defs>"
                       "<rect x='2' y='2' width='116' height='56' fill='none' stroke='red' stroke-width='1.5'/>"
                       "<circle cx='20' cy='30' r='12' fill='url(#g)' fill-opacity='0.6'/>"
                       "<text x='40' y='36' font-family='Liberation Serif' font-size='14' fill='blue'>"
                       "f(x) = \u2211</text></svg>");
        }
    }
    return path;
}

// The picture drawn straight from its file over a transparent ground.
QImage drawnDirectly(const QString& path, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QSvgRenderer(path).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// A widget's look over a white ground, in a window of its own.
QImage lookOf(QWidget* widget)
{
    QWidget window;
    QPalette white = window.palette();
    white.setColor(QPalette::Window, Qt::white);
    window.setPalette(white);
    window.setAutoFillBackground(true);
    widget->setParent(&window);
    widget->move(3, 3);
    window.resize(widget->width() + 6, widget->height() + 6);
    window.show();
    const QImage look = window.grab().toImage();
    widget->setParent(nullptr);
    return look;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (FormKind kind : {FormKind::Form1, FormKind::Form2, FormKind::Form3})
            Forms::registerKind(kind, [kind] { return new ProbeForm(kind); });
    }

    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void cleanup()
    {
        clearModalExpectations();
        for (FormKind kind : {FormKind::Form1, FormKind::Form2, FormKind::Form3})
            Forms::unload(kind);
    }

    void twipsToPixels_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("7 twips round down") << 7 << 0;
        QTest::newRow("8 twips round up") << 8 << 1;
        QTest::newRow("half way past one pixel rounds down") << 22 << 1;
        QTest::newRow("title picture 8505 twips is 567 px") << 8505 << 567;
        QTest::newRow("drawing surface 9500 twips") << 9500 << 633;
    }

    void twipsToPixels()
    {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(px(twips), pixels);
        QCOMPARE(pxRect(0, twips, 15, twips).height(), pixels);
    }

    void userScaleMapping_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QPoint>("pixel");
        // A 100 x 100 box with x from 0 to 10 and y from 10 at the top down to 0.
        QTest::newRow("top-left corner") << 0.0 << 10.0 << QPoint(0, 0);
        QTest::newRow("centre") << 5.0 << 5.0 << QPoint(50, 50);
        QTest::newRow("y grows upwards") << 1.0 << 9.0 << QPoint(10, 10);
        QTest::newRow("near bottom-right") << 9.99 << 0.01 << QPoint(99, 99);
        QTest::newRow("inside the first pixel") << 0.05 << 9.95 << QPoint(0, 0);
    }

    void userScaleMapping()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QPoint, pixel);
        auto box = keptBox(100, 100);
        box->Scale(0, 10, 10, 0);
        box->PSet(x, y, blue);
        QCOMPARE(box->image().pixel(pixel), blue);
        QCOMPARE(countColour(box->image(), blue), 1);
    }

    void linePixels()
    {
        auto box = keptBox(101, 101);
        QCOMPARE(box->ScaleWidth(), 101.0);
        box->Scale(-1.01, 1.01, 1.01, -1.01); // 50 px per unit, y upwards
        box->Line(-1, 0, 1, 0, 0);
        box->Line(0.5, 0.04, 0.5, -0.04, 0); // a tick mark
        const QImage image = box->image();
        QCOMPARE(box->mapper().map(1.0f, 0.0f), QPoint(100, 50));
        for (int x = 0; x < 100; ++x)
            QCOMPARE(image.pixel(x, 50), black);
        QCOMPARE(image.pixel(100, 50), white); // the end pixel is not drawn
        int tick = 0;
        for (int y = 0; y < 101; ++y)
            tick += image.pixel(75, y) == black;
        QCOMPARE(tick, 4);
        QCOMPARE(box->CurrentY(), double(-0.04f)); // the text position follows the line

        // Ends far beyond the surface: clipped at once, the visible part on its own row.
        auto far = keptBox(50, 50);
        far->Scale(0, 1, 1, 0);
        QElapsedTimer clock;
        clock.start();
        far->Line(-1e30, 0.5, 1e30, 0.5, blue);
        far->Line(-1e30, -1e30, -1e29, -1e29, blue);
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(countColour(far->image(), blue), 50);
        QCOMPARE(far->image().pixel(49, 25), blue);
    }

    void coordinateErrors_data()
    {
        QTest::addColumn<int>("call");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("PSet x beyond single precision raises 6") << 0 << 1e39 << 6;
        QTest::newRow("PSet y below single precision raises 6") << 1 << -1e39 << 6;
        QTest::newRow("Line end beyond single precision raises 6") << 2 << 3.5e38 << 6;
        QTest::newRow("CurrentX beyond single precision raises 6") << 3 << 1e300 << 6;
        QTest::newRow("largest single is accepted") << 0 << 3.4e38 << 0;
        QTest::newRow("scale of no width raises 5") << 4 << 1.0 << 5;
    }

    void coordinateErrors()
    {
        QFETCH(int, call);
        QFETCH(double, value);
        QFETCH(int, error);
        auto box = keptBox(10, 10);
        const std::function<void()> calls[] = {
            [&] { box->PSet(value, 0, blue); },
            [&] { box->PSet(0, value, blue); },
            [&] { box->Line(0, 0, 1, value, blue); },
            [&] { box->setCurrentX(value); },
            [&] { box->Scale(value, 0, value, 5); },
        };
        QCOMPARE(errorOf(calls[call]), error);
        QCOMPARE(countColour(box->image(), blue), 0);
        QCOMPARE(box->ScaleWidth(), 10.0); // the scale is untouched
    }

    void printedNumbers_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("positive gets a blank before and after") << "en_US" << 0.5 << " 0.5 ";
        QTest::newRow("zero counts as not negative") << "en_US" << 0.0 << " 0 ";
        QTest::newRow("negative has its sign and a blank after") << "en_US" << -2.0 << "-2 ";
        QTest::newRow("accumulated tenths print as 0.3") << "en_US" << 0.1 + 0.1 + 0.1 << " 0.3 ";
        QTest::newRow("user's decimal comma") << "pt_PT" << -0.4 << "-0,4 ";
    }

    void printedNumbers()
    {
        QFETCH(QString, locale);
        QFETCH(double, number);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(PrintItem(number).text(), text);
    }

    void printPlacesTextAndEndsLine()
    {
        auto box = keptBox(200, 100);
        box->Scale(-10, 50, 190, -50); // one unit per pixel, y upwards
        box->setFontName(QStringLiteral("MS Serif"));
        box->setFontSize(6);
        box->setFontBold(true);
        box->setCurrentX(20);
        box->setCurrentY(10);
        box->Print(1.5);
        // The text's top-left corner is pixel (30, 40): no ink above or left of it.
        const QImage image = box->image();
        int ink = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (qGray(image.pixel(x, y)) < 200) {
                    QVERIFY2(x >= 30 && y >= 40, qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
                    ++ink;
                }
            }
        }
        QVERIFY(ink > 5);
        const int lineHeight = QFontMetrics(mappedFont(QStringLiteral("MS Serif"), 6, true)).height();
        QCOMPARE(box->CurrentX(), -10.0);
        QCOMPARE(box->CurrentY(), 10.0 - lineHeight);
    }

    void fonts()
    {
        QCOMPARE(symbolText(QStringLiteral("-3 p/2")), QStringLiteral("−3 π/2"));
        QCOMPARE(mappedFont(QStringLiteral("symbol"), 8, false).pixelSize(), 11);
        QCOMPARE(QFontInfo(mappedFont(QStringLiteral("Comic Sans MS"), 24, true)).family(), QStringLiteral("Comic Neue"));
    }

    void autoRedrawOffLosesHiddenDrawing()
    {
        QWidget window;
        window.resize(100, 100);
        auto* box = new PictureBox(&window);
        box->setGeometry(0, 0, 50, 50);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        box->PSet(10, 10, blue);
        QCOMPARE(box->grab().toImage().pixel(10, 10), blue); // on the screen
        QCOMPARE(box->image().pixel(10, 10), white); // never in the persistent image
        box->hide();
        box->PSet(20, 20, blue);
        box->show();
        QCOMPARE(box->grab().toImage().pixel(20, 20), white); // drawn while hidden: lost
        QCOMPARE(box->grab().toImage().pixel(10, 10), white); // hiding wiped the screen too
        box->PSet(30, 30, blue);
        window.hide(); // the whole window going away wipes it as well
        window.show();
        QCOMPARE(box->grab().toImage().pixel(30, 30), white);

        // Kept drawing survives all that, and is shown once the box is.
        box->setAutoRedraw(true);
        box->hide();
        box->PSet(5, 6, blue);
        box->show();
        QCOMPARE(box->grab().toImage().pixel(5, 6), blue);
    }

    void backColorAndClear()
    {
        auto box = keptBox(30, 20);
        box->Line(0, 0, 29, 19, blue);
        box->setBackColor(0xffff0000);
        QCOMPARE(countColour(box->image(), 0xffff0000), 30 * 20);
        box->PSet(3, 3, blue);
        box->clearPicture();
        QCOMPARE(countColour(box->image(), 0xffff0000), 30 * 20);
    }

    void childrenStayOutOfImage()
    {
        auto box = keptBox(100, 100);
        auto* arrow = new QLabel(box.get());
        arrow->resize(16, 16);
        arrow->setStyleSheet(QStringLiteral("background: black"));
        box->Scale(-1, 1, 1, -1);
        box->moveChild(arrow, 0.5, 0.5);
        QCOMPARE(arrow->pos(), QPoint(75, 25));
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QCOMPARE(countColour(box->image(), white), 100 * 100);
    }

    void messageBoxes_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("shownTitle");
        QTest::newRow("64 information") << 64 << "Trivelas" << int(QMessageBox::Information) << "Trivelas";
        QTest::newRow("48 exclamation") << 48 << "Trivelas morvanicas" << int(QMessageBox::Warning)
                                        << "Trivelas morvanicas";
        QTest::newRow("0 no icon, no title shows the application's")
            << 0 << "" << int(QMessageBox::NoIcon) << "TrivelasMorvanicas";
    }

    void messageBoxes()
    {
        QFETCH(int, style);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(QString, shownTitle);
        const QString text = QStringLiteral("Erro nos dados dos eixos:\r\n\r\nCapacidade excedida");
        ModalAnswer answer = expectModal(clickOk);
        MsgBox(nullptr, text, style, title);
        QVERIFY(answer.answered());
        QCOMPARE(answer.record().text, text);
        QCOMPARE(answer.record().title, shownTitle);
        QCOMPARE(answer.record().icon, icon);
        QCOMPARE(answer.record().buttons.size(), 1);
    }

    void colourDialog()
    {
        CommonDialog dialog;
        dialog.setColor(qRgb(0, 0, 255));
        ModalAnswer picked = expectModal(pickColor(QColor(255, 255, 0)));
        dialog.ShowColor(nullptr);
        QVERIFY(picked.answered());
        QCOMPARE(picked.record().initialColor, QColor(0, 0, 255));
        QCOMPARE(dialog.Color(), qRgb(255, 255, 0));
        QCOMPARE(QCoreApplication::translate("QColorDialog", "&Basic colors"), QStringLiteral("Cores &básicas"));

        ModalAnswer cancelled = expectModal(cancel);
        dialog.ShowColor(nullptr);
        QVERIFY(cancelled.answered());
        QCOMPARE(dialog.Color(), qRgb(255, 255, 0));
    }

    void saveDialogNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("extensionDiffers");
        QTest::newRow("default extension added") << "grafico" << "grafico.bmp" << false;
        QTest::newRow("upper-case BMP is the same extension") << "G.BMP" << "G.BMP" << false;
        QTest::newRow("another extension is flagged") << "grafico.png" << "grafico.png" << true;
    }

    void saveDialogNames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, fileName);
        QFETCH(bool, extensionDiffers);
        QTemporaryDir dir;
        CommonDialog dialog = bitmapSaveDialog(dir.path());
        ModalAnswer answer = expectModal(saveAs(typed));
        dialog.ShowSave(nullptr);
        QVERIFY(answer.answered());
        QCOMPARE(answer.record().directory, QDir(dir.path()).absolutePath());
        QCOMPARE(answer.record().nameFilters, QStringList{QStringLiteral("Mapa de bits (*.bmp)")});
        QCOMPARE(dialog.FileName(), QDir(dir.path()).filePath(fileName));
        QCOMPARE(bool(dialog.Flags() & CommonDialog::FlagExtensionDiffers), extensionDiffers);
        QCOMPARE(dialog.Flags() & ~CommonDialog::FlagExtensionDiffers, 0x200802);

        // Cancelling keeps the name, even an empty one.
        dialog.setFileName(QString());
        ModalAnswer cancelled = expectModal(cancel);
        dialog.ShowSave(nullptr);
        QVERIFY(cancelled.answered());
        QCOMPARE(dialog.FileName(), QString());
    }

    void saveDialogChecksBeforeClosing()
    {
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("velho.bmp"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        CommonDialog dialog = bitmapSaveDialog(dir.path());

        // A missing folder is refused, and the dialog stays.
        expectModal(saveAs(dir.filePath(QStringLiteral("nao-existe/grafico.bmp"))));
        ModalAnswer refused = expectModal(clickOk);
        // An existing file needs a yes: "Não" leaves the dialog open.
        expectModal(saveAs(QStringLiteral("velho.bmp")));
        ModalAnswer no = expectModal(clickButton(QStringLiteral("Não")));
        ModalAnswer giveUp = expectModal(cancel);
        dialog.ShowSave(nullptr);
        QVERIFY(giveUp.answered());
        QVERIFY(refused.record().text.contains(QStringLiteral("O caminho não existe.")));
        QVERIFY(no.record().text.contains(QStringLiteral("velho.bmp")));
        QCOMPARE(no.record().buttons, (QStringList{QStringLiteral("&Sim"), QStringLiteral("&Não")}));
        QCOMPARE(dialog.FileName(), QString());

        expectModal(saveAs(QStringLiteral("velho.bmp")));
        ModalAnswer yes = expectModal(clickButton(QStringLiteral("Sim")));
        dialog.ShowSave(nullptr);
        QVERIFY(yes.answered());
        QCOMPARE(dialog.FileName(), existing);
    }

    void bitmapFileReadsBackEqual()
    {
        QImage picture(7, 3, QImage::Format_RGB32); // 21 bytes a row: padding needed
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x)
                picture.setPixel(x, y, qRgb(x * 30, y * 100, 255 - x));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("grafico.bmp"));
        const BitmapSaveResult result = saveBitmap(picture, path);
        QVERIFY2(result.ok, qPrintable(result.reason));

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(bytes.size(), 14 + 40 + 3 * 24);
        QCOMPARE(int(bytes[28]), 24); // bits per pixel
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), picture);

        // The clipboard takes the same picture.
        clipboardClear();
        clipboardSetImage(picture);
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
    }

    void failedSaveKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("grafico.bmp"));
        QImage small(4, 4, QImage::Format_RGB32);
        small.fill(qRgb(9, 9, 9));
        QVERIFY(saveBitmap(small, path).ok);

        // A disk that fills up while the new picture is written.
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit tight = old;
        tight.rlim_cur = 4096;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &tight);
        QImage big(200, 200, QImage::Format_RGB32);
        big.fill(qRgb(200, 0, 0));
        const BitmapSaveResult result = saveBitmap(big, path);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!result.ok);
        QVERIFY2(result.reason.contains(QStringLiteral("o disco pode estar cheio")), qPrintable(result.reason));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bitmapBytes(small));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("grafico.bmp")});

        const BitmapSaveResult missing = saveBitmap(small, dir.filePath(QStringLiteral("nao/existe.bmp")));
        QVERIFY(!missing.ok);
        QVERIFY2(missing.reason.startsWith(QStringLiteral("O ficheiro existe.bmp não foi guardado: a pasta "))
                     && missing.reason.endsWith(QStringLiteral("não existe.")),
                 qPrintable(missing.reason));
    }

    void oneInstancePerKind()
    {
        QPointer<Form> first = Forms::show(FormKind::Form1);
        ProbeForm* p = probe(FormKind::Form1);
        QVERIFY(first->isVisible() && !p->shownAtLoad); // loaded within the call, before it is shown
        QCOMPARE(p->activates, 1);
        p->typed = QStringLiteral("typed by the user");
        QCOMPARE(Forms::show(FormKind::Form1), first.get());
        QCOMPARE(p->loads, 1);
        QCOMPARE(p->typed, QStringLiteral("typed by the user"));
        QCOMPARE(Forms::show(FormKind::Form4), nullptr); // nothing registered for it

        // Unloading discards the instance, hidden first as a window switching to another does;
        // the next showing loads a fresh one.
        first->hide();
        Forms::unload(first);
        QCOMPARE(Forms::instance(FormKind::Form1), nullptr);
        QTRY_VERIFY(first.isNull());
        Forms::show(FormKind::Form1);
        QCOMPARE(probe(FormKind::Form1)->typed, QStringLiteral("default"));
        QCOMPARE(probe(FormKind::Form1)->loads, 1);

        // The close box unloads as well.
        QPointer<Form> closed = Forms::instance(FormKind::Form1);
        QVERIFY(closed->close());
        QCOMPARE(Forms::instance(FormKind::Form1), nullptr);
        QTRY_VERIFY(closed.isNull());
    }

    void activateRules()
    {
        Form* a = Forms::show(FormKind::Form1);
        QVERIFY(QTest::qWaitForWindowActive(a));
        ProbeForm* pa = probe(FormKind::Form1);
        QCOMPARE(pa->activates, 1); // the first showing, once, though the window system confirms it
        Form* b = Forms::show(FormKind::Form2);
        QVERIFY(QTest::qWaitForWindowActive(b));
        ProbeForm* pb = probe(FormKind::Form2);
        QCOMPARE(pb->activates, 1);
        QVERIFY(activate(a));
        QCOMPARE(pa->activates, 2); // back from another Form

        // A message box of the program closing is no return from another window.
        bool activeDuringBox = true;
        ModalAnswer answer = expectModal([&activeDuringBox, a](QWidget* box) {
            activeDuringBox = a->isActiveWindow();
            clickOk(box);
        });
        MsgBox(a, QStringLiteral("Deve indicar o valor de a."), 64, QStringLiteral("Trivelas morvanicas"));
        QVERIFY(answer.answered());
        QVERIFY(!activeDuringBox);
        QVERIFY(activate(a));
        QCOMPARE(pa->activates, 2);

        // Nor is coming back from another application.
        QWidget elsewhere;
        elsewhere.show();
        QVERIFY(activate(&elsewhere));
        QVERIFY(activate(a));
        QCOMPARE(pa->activates, 2);

        QVERIFY(activate(b));
        QVERIFY(activate(a));
        QCOMPARE(pb->activates, 2);
        QCOMPARE(pa->activates, 3);
        QCOMPARE(pa->loads, 1);
    }

    void programEnds()
    {
        QPointer<Form> a = Forms::show(FormKind::Form1);
        QPointer<Form> b = Forms::show(FormKind::Form3);
        QVERIFY(endsProgram([] { Forms::endProgram(); }));
        QCOMPARE(Forms::instance(FormKind::Form1), nullptr);
        QCOMPARE(Forms::instance(FormKind::Form3), nullptr);
        QVERIFY(a.isNull() || !a->isVisible());
        QVERIFY(b.isNull() || !b->isVisible());

        // Unloading the last open window ends the program as well.
        QPointer<Form> last = Forms::show(FormKind::Form2);
        QVERIFY(endsProgram([last] { Forms::unload(last); }));
    }

    void windowIconResource() { QVERIFY(QSvgRenderer(QStringLiteral(":/icons/window.svg")).isValid()); }

    void pictureKeptAsDrawn_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("own size") << QSize(120, 60);
        QTest::newRow("stretched") << QSize(250, 31);
        QTest::newRow("one pixel") << QSize(1, 1);
    }

    void pictureKeptAsDrawn()
    {
        QFETCH(QSize, size);
        const QString path = samplePicture();
        const QImage kept = svgImage(path, size);
        QCOMPARE(kept.size(), size);
        QCOMPARE(kept, drawnDirectly(path, size));
        // Asked again, the very same drawing comes back.
        QCOMPARE(svgImage(path, size).cacheKey(), kept.cacheKey());
    }

    void picturePreparedAhead()
    {
        const QString path = samplePicture();
        const QSize size(97, 41);
        prepareSvgImage(path, size);
        prepareSvgImage(path, size); // a second request starts nothing more
        QCOMPARE(svgImage(path, size), drawnDirectly(path, size));

        const QImage sharp = svgImage(path, QSize(60, 30), 2.0);
        QCOMPARE(sharp.size(), QSize(120, 60));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
    }

    void pictureThatCannotBeDrawn_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("read");
        QTest::newRow("no such file") << QStringLiteral(":/icons/no-such-picture.svg") << QSize(10, 10) << true;
        QTest::newRow("not a picture") << notAPicture() << QSize(10, 10) << true;
        QTest::newRow("empty size") << samplePicture() << QSize(0, 10) << false;
    }

    void pictureThatCannotBeDrawn()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(bool, read);
        if (read) // once: a file that failed is not read again
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Cannot (open|read) file")));
        QVERIFY(svgImage(path, size).isNull());
        prepareSvgImage(path, size);
        QVERIFY(svgImage(path, size).isNull());
    }

    void pictureControlLooksLikeQtOwn()
    {
        // The picture's text names no weight: it takes the control's, bold here.
        const QFont bold = mappedFont(QStringLiteral("MS Sans Serif"), 8.25, true);
        auto* own = new QSvgWidget(samplePicture());
        own->resize(150, 70);
        own->setFont(bold);
        auto* ours = new SvgPicture(samplePicture());
        ours->resize(150, 70);
        ours->setFont(bold);
        QVERIFY(!ours->picture().isNull());
        QVERIFY(ours->picture() != svgImage(samplePicture(), QSize(150, 70)));
        // Drawn over a transparent ground and then copied, its letters' edges blend a little
        // differently; nothing else may.
        QVERIFY(looksAlike(lookOf(own), lookOf(ours)));
        delete own;
        delete ours;
    }

    void blitMatchesDrawImage_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("source");
        QTest::newRow("one row") << QSize(50, 1) << QRect(0, 0, 50, 1);
        QTest::newRow("one band") << QSize(50, 64) << QRect(0, 0, 50, 64);
        QTest::newRow("a band and a row") << QSize(50, 65) << QRect(0, 0, 50, 65);
        QTest::newRow("many bands") << QSize(80, 300) << QRect(0, 0, 80, 300);
        QTest::newRow("part of it") << QSize(80, 300) << QRect(7, 63, 40, 130);
        QTest::newRow("beyond its edge") << QSize(80, 100) << QRect(60, 90, 40, 40);
    }

    void blitMatchesDrawImage()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, source);
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixel(x, y, qPremultiply(qRgba(x * 3 % 256, y % 256, (x + y) % 256, (x * y) % 256)));
        const QRegion clip = QRegion(0, 0, 150, 400) - QRegion(20, 20, 5, 5);
        QImage expected(150, 400, QImage::Format_RGB32);
        expected.fill(Qt::gray);
        QImage actual = expected;
        {
            QPainter painter(&expected);
            painter.setClipRegion(clip);
            painter.drawImage(QPoint(5, 6), image, source & image.rect());
        }
        {
            QPainter painter(&actual);
            painter.setClipRegion(clip);
            blitImage(painter, QPoint(5, 6), image, source);
        }
        QCOMPARE(actual, expected);
    }

    void framesLookLikeQtOwn_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::newRow("captioned") << QStringLiteral("Opções sobre os eixos") << QSize(361, 169);
        QTest::newRow("no caption") << QString() << QSize(200, 80);
    }

    void framesLookLikeQtOwn()
    {
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QPalette blue = QApplication::palette();
        blue.setColor(QPalette::WindowText, Qt::blue);
        const auto made = [&](QGroupBox* frame) {
            frame->setTitle(caption);
            frame->resize(size);
            frame->setFont(mappedFont(QStringLiteral("Arial"), 8.25, true));
            frame->setPalette(blue);
            return frame;
        };
        std::unique_ptr<QGroupBox> own(made(new QGroupBox));
        std::unique_ptr<QGroupBox> first(made(new GroupFrame));
        std::unique_ptr<QGroupBox> second(made(new GroupFrame));
        const QImage firstLook = lookOf(first.get());
        QVERIFY(largestDifference(lookOf(own.get()), firstLook) <= 1);
        // The second of the same look copies the border kept for the first.
        QCOMPARE(lookOf(second.get()), firstLook);
    }

    void buttonsLookLikeQtOwn()
    {
        QPalette yellow = QApplication::palette();
        yellow.setColor(QPalette::Button, Qt::yellow);
        yellow.setColor(QPalette::ButtonText, Qt::black);
        const auto push = [&](QPushButton* button) {
            button->setText(QStringLiteral("Desenhar os eixos"));
            button->resize(187, 21);
            button->setPalette(yellow);
            return std::unique_ptr<QPushButton>(button);
        };
        QCOMPARE(lookOf(push(new PushButton).get()), lookOf(push(new QPushButton).get()));
        QCOMPARE(lookOf(push(new PushButton).get()), lookOf(push(new QPushButton).get()));

        const auto tool = [&](QToolButton* button) {
            button->setText(QStringLiteral("Apagar"));
            button->setIcon(cachedIcon(QStringLiteral(":/icons/window.svg")));
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            button->resize(41, 41);
            button->setDisabled(true);
            return std::unique_ptr<QToolButton>(button);
        };
        QCOMPARE(lookOf(tool(new ToolButton).get()), lookOf(tool(new QToolButton).get()));
    }

    void captionsLookLikeQtOwn_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("title") << QStringLiteral("FUNÇÃO DE TAKAGI") << true;
        QTest::newRow("percent signs kept apart") << QStringLiteral("%1 %2%") << true;
        QTest::newRow("greyed") << QStringLiteral("Versão 1.0") << false;
    }

    void captionsLookLikeQtOwn()
    {
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        QPalette colours = QApplication::palette();
        colours.setColor(QPalette::WindowText, Qt::red);
        colours.setColor(QPalette::Window, Qt::yellow);
        const auto made = [&](QLabel* label) {
            label->setText(caption);
            label->setFont(mappedFont(QStringLiteral("Comic Sans MS"), 24, true));
            label->setPalette(colours);
            label->setAutoFillBackground(true);
            label->setEnabled(enabled);
            label->adjustSize();
            return std::unique_ptr<QLabel>(label);
        };
        const QImage own = lookOf(made(new QLabel).get());
        QCOMPARE(lookOf(made(new CaptionLabel).get()), own);
        QCOMPARE(lookOf(made(new CaptionLabel).get()), own); // the kept look, copied

        // Another text is another look.
        auto other = made(new CaptionLabel);
        const QImage before = lookOf(other.get());
        other->setText(caption + QStringLiteral("!"));
        other->adjustSize();
        QVERIFY(lookOf(other.get()) != before);
        auto plain = made(new QLabel);
        plain->setText(caption + QStringLiteral("!"));
        plain->adjustSize();
        QCOMPARE(lookOf(other.get()), lookOf(plain.get()));
    }

    void palettesShared()
    {
        QPalette a = QApplication::palette();
        a.setColor(QPalette::WindowText, Qt::blue);
        QPalette b = QApplication::palette();
        b.setColor(QPalette::WindowText, Qt::blue);
        b.setCurrentColorGroup(QPalette::Disabled);
        QPalette c = QApplication::palette();
        c.setColor(QPalette::WindowText, Qt::red);
        QVERIFY(a.cacheKey() != b.cacheKey());

        const QPalette sharedA = sharedPalette(a);
        const QPalette sharedB = sharedPalette(b);
        QCOMPARE(sharedB.cacheKey(), sharedA.cacheKey());
        QCOMPARE(sharedB.currentColorGroup(), QPalette::Disabled); // drawn as b would be
        QCOMPARE(sharedA.currentColorGroup(), a.currentColorGroup());
        QVERIFY(sharedPalette(c).cacheKey() != sharedA.cacheKey());
        QCOMPARE(sharedPalette(c).color(QPalette::WindowText), QColor(Qt::red));
    }

    void printDrawsAsDrawText_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("text");
        QTest::newRow("axis number") << "MS Serif" << 6.0 << true << " 0.5 ";
        QTest::newRow("negative number, comma") << "MS Serif" << 6.0 << true << "-1,25 ";
        QTest::newRow("axis letter") << "MS Sans Serif" << 8.25 << true << "x";
        QTest::newRow("radian label") << "symbol" << 8.25 << true << "3p/2";
        QTest::newRow("large plain") << "Comic Sans MS" << 24.0 << false << "Weierstrass";
        QTest::newRow("tab, drawn the usual way") << "Arial" << 9.75 << false << "a\tb";
        QTest::newRow("empty") << "Arial" << 9.75 << false << "";
    }

    void printDrawsAsDrawText()
    {
        QFETCH(QString, font);
        QFETCH(double, size);
        QFETCH(bool, bold);
        QFETCH(QString, text);
        for (int pass = 0; pass < 2; ++pass) { // the second draws what the first kept
            auto box = keptBox(160, 60);
            box->setFontName(font);
            box->setFontSize(size);
            box->setFontBold(bold);
            box->setCurrentX(7);
            box->setCurrentY(9);
            box->Print(text);

            QImage expected(160, 60, QImage::Format_RGB32);
            expected.fill(white);
            QPainter painter(&expected);
            const QFont shown = mappedFont(font, size, bold);
            painter.setFont(shown);
            painter.setPen(Qt::black);
            painter.drawText(7, 9 + QFontMetrics(shown).ascent(), isSymbolFont(font) ? symbolText(text) : text);
            painter.end();
            QCOMPARE(box->image(), expected);
            QCOMPARE(box->CurrentY(), 9.0 + QFontMetrics(shown).height());
        }
    }

    void fontsKeptApart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::newRow("sans") << "MS Sans Serif" << 8.25 << false;
        QTest::newRow("sans bold") << "MS Sans Serif" << 8.25 << true;
        QTest::newRow("sans larger") << "MS Sans Serif" << 12.0 << false;
        QTest::newRow("serif") << "MS Serif" << 8.25 << false;
        QTest::newRow("cursive") << "Comic Sans MS" << 8.25 << false;
    }

    void fontsKeptApart()
    {
        QFETCH(QString, name);
        QFETCH(double, size);
        QFETCH(bool, bold);
        const QFont font = mappedFont(name, size, bold);
        QCOMPARE(mappedFont(name.toUpper() + QStringLiteral(" "), size, bold), font);
        QCOMPARE(font.pixelSize(), fontPixelSize(size));
        QCOMPARE(font.bold(), bold);
        QCOMPARE(mappedFont(name, size, !bold).bold(), !bold);
        QCOMPARE(mappedFont(name, size + 3, bold).pixelSize(), fontPixelSize(size + 3));
    }

    void persistentImageOfABlankBox()
    {
        auto box = keptBox(30, 20);
        QCOMPARE(countColour(box->image(), white), 30 * 20); // never drawn on, yet whole
        box->setBackColor(blue);
        QCOMPARE(countColour(box->image(), blue), 30 * 20);
        box->clearPicture();
        box->resize(40, 25);
        QCOMPARE(countColour(box->image(), blue), 40 * 25);
        box->PSet(1, 1, white);
        box->resize(50, 30); // what was drawn stays where it was
        QCOMPARE(box->image().pixel(1, 1), white);
        QCOMPARE(countColour(box->image(), blue), 50 * 30 - 1);
        box->clearPicture();
        box->clearPicture();
        QCOMPARE(countColour(box->image(), blue), 50 * 30);
        box->setBackColor(blue); // the same colour again: still all of it
        QCOMPARE(countColour(box->image(), blue), 50 * 30);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"

