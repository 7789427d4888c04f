// Tests of the windows' services: twips, the drawing surface, dialogs and files.
#include "BitmapFile.h"
#include "CommonDialog.h"
#include "Controls.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "ModalHelper.h"
#include "PictureBox.h"
#include "Pictures.h"
#include "RuntimeError.h"
#include "Twips.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

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

CommonDialog bitmapSaveDialog(const QString& folder)
{
    CommonDialog dialog;
    dialog.setFlags(0x200802);
    dialog.setInitDir(folder);
    dialog.setFilter(QStringLiteral("Mapa de bits (*.bmp)|*.bmp"));
    dialog.setDefaultExt(QStringLiteral("bmp"));
    return dialog;
}

// Whether two images of one size are alike: no colour channel more than `levels` apart and, when
// that is more than one level, only at a few (antialiased edge) pixels.
bool alike(const QImage& a, const QImage& b, int levels)
{
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    int differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            largest = std::max(largest, d);
            differing += d > 0;
        }
    }
    return largest <= levels && (levels <= 1 || differing * 100 <= x.width() * x.height());
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

// What is drawn through a cache, against the same drawn directly.
enum CachedLook { PictureLook, FrameLook, ButtonLook, ToolLook, CaptionLook, PrintLook, SurfaceLook };

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
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void cleanup() { clearModalExpectations(); }

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
        QCOMPARE(countColour(box->image(), white), 30 * 20); // never drawn on, yet whole
        box->Line(0, 0, 29, 19, blue);
        box->setBackColor(0xffff0000);
        QCOMPARE(countColour(box->image(), 0xffff0000), 30 * 20);
        box->PSet(3, 3, blue);
        box->clearPicture();
        QCOMPARE(countColour(box->image(), 0xffff0000), 30 * 20);
        box->resize(40, 25);
        QCOMPARE(countColour(box->image(), 0xffff0000), 40 * 25);
        box->PSet(1, 1, white);
        box->resize(50, 30); // what was drawn stays where it was
        QCOMPARE(box->image().pixel(1, 1), white);
        QCOMPARE(countColour(box->image(), 0xffff0000), 50 * 30 - 1);
        box->clearPicture();
        box->setBackColor(0xffff0000); // the same colour again: still all of it
        QCOMPARE(countColour(box->image(), 0xffff0000), 50 * 30);
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

        const BitmapSaveResult missing = saveBitmap(picture, dir.filePath(QStringLiteral("nao/existe.bmp")));
        QVERIFY(!missing.ok);
        QVERIFY2(missing.reason.startsWith(QStringLiteral("O ficheiro existe.bmp não foi guardado: a pasta "))
                     && missing.reason.endsWith(QStringLiteral("não existe.")),
                 qPrintable(missing.reason));
    }

    void windowIconResource() { QVERIFY(QSvgRenderer(QStringLiteral(":/icons/window.svg")).isValid()); }

    void cachedDrawingMatchesDirect_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("font");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("ink");
        QTest::addColumn<int>("levels");
        const auto row = [](const char* name, CachedLook kind, const QString& text, const char* font, double size,
                            bool bold, bool enabled = true, QColor ink = Qt::black, int levels = 0) {
            QTest::newRow(name) << int(kind) << text << QString(font) << size << bold << enabled << ink << levels;
        };
        // The picture is drawn over a transparent ground and then copied, which blends its letters'
        // edges a little differently; its text takes the control's font, bold here.
        row("picture", PictureLook, samplePicture(), "MS Sans Serif", 8.25, true, true, Qt::black, 8);
        // Rows of one look follow each other differing in one thing only (text, size, weight, state,
        // colour): a cache that mixed them up would show the row before.
        row("frame", FrameLook, "Opções sobre os eixos", "Arial", 8.25, true, true, Qt::blue, 1);
        row("frame without caption", FrameLook, "", "Arial", 8.25, true, true, Qt::blue, 1);
        row("command button", ButtonLook, "Desenhar os eixos", "MS Sans Serif", 8.25, false);
        row("disabled graphical button", ToolLook, "Apagar", "MS Sans Serif", 8.25, false, false);
        const QString takagi = QStringLiteral("FUNÇÃO DE TAKAGI");
        row("caption", CaptionLook, takagi, "Comic Sans MS", 24, true, true, Qt::red);
        row("caption, other text", CaptionLook, takagi + QStringLiteral("!"), "Comic Sans MS", 24, true, true, Qt::red);
        row("caption, other colour", CaptionLook, takagi, "Comic Sans MS", 24, true, true, Qt::blue);
        row("caption, greyed", CaptionLook, takagi, "Comic Sans MS", 24, true, false, Qt::blue);
        row("caption, percent signs kept apart", CaptionLook, "%1 %2%", "Comic Sans MS", 24, true, true, Qt::red);
        row("Print axis number", PrintLook, " 0.5 ", "MS Serif", 6, true);
        row("Print, not bold", PrintLook, " 0.5 ", "MS Serif", 6, false);
        row("Print, larger", PrintLook, " 0.5 ", "MS Serif", 8.25, false);
        row("Print radian label in the symbol font", PrintLook, "3p/2", "symbol", 8.25, true);
        row("Print large plain", PrintLook, "Weierstrass", "Comic Sans MS", 24, false);
        row("Print tab, drawn the usual way", PrintLook, "a\tb", "Arial", 9.75, false);
        row("Print empty", PrintLook, "", "Arial", 9.75, false);
        // Copied to the screen in bands of a few rows: a part across several of them.
        row("part of a kept drawing", SurfaceLook, "", "Arial", 9.75, false);
    }

    void cachedDrawingMatchesDirect()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, font);
        QFETCH(double, size);
        QFETCH(bool, bold);
        QFETCH(bool, enabled);
        QFETCH(QColor, ink);
        QFETCH(int, levels);
        const QFont shown = mappedFont(font, size, bold);
        QPalette colours = QApplication::palette();
        for (auto role : {QPalette::WindowText, QPalette::ButtonText})
            colours.setColor(role, ink);
        for (auto role : {QPalette::Window, QPalette::Button})
            colours.setColor(role, Qt::yellow);
        // Our control's or Qt's own look, given the row's text, font, colours, state and size (none: its own).
        const auto look = [&](QWidget* widget, QSize size = QSize()) {
            const std::unique_ptr<QWidget> owned(widget);
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                label->setText(text);
                label->setAutoFillBackground(true);
            } else if (auto* button = qobject_cast<QToolButton*>(widget)) {
                button->setText(text);
                button->setIcon(cachedIcon(QStringLiteral(":/icons/window.svg")));
                button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            }
            widget->setFont(shown);
            widget->setPalette(colours);
            widget->setEnabled(enabled);
            if (size.isValid())
                widget->resize(size);
            else
                widget->adjustSize();
            return lookOf(widget);
        };

        for (int pass = 0; pass < 2; ++pass) { // the second copies what the first kept
            QImage ours;
            QImage direct;
            switch (kind) {
            case PictureLook: {
                auto* picture = new SvgPicture(text);
                picture->setFont(shown);
                picture->resize(250, 150);
                picture->prepare(); // drawn ahead, on another thread
                ours = look(picture, {250, 150});
                direct = look(new QSvgWidget(text), {250, 150});
                break;
            }
            case FrameLook:
                ours = look(new GroupFrame(text), {361, 169});
                direct = look(new QGroupBox(text), {361, 169});
                break;
            case ButtonLook:
                ours = look(new PushButton(text), {187, 21});
                direct = look(new QPushButton(text), {187, 21});
                break;
            case ToolLook:
                ours = look(new ToolButton, {41, 41});
                direct = look(new QToolButton, {41, 41});
                break;
            case CaptionLook:
                ours = look(new CaptionLabel);
                direct = look(new QLabel);
                break;
            case PrintLook: {
                // One unit a pixel, y upwards: the text's top-left corner at pixel (7, 9), the
                // next line at the left edge, one line lower.
                auto box = keptBox(160, 60);
                box->Scale(-10, 50, 150, -10);
                box->setFontName(font);
                box->setFontSize(size);
                box->setFontBold(bold);
                box->setCurrentX(-3);
                box->setCurrentY(41);
                box->Print(text);
                QCOMPARE(box->CurrentX(), -10.0);
                QCOMPARE(box->CurrentY(), 41.0 - QFontMetrics(shown).height());
                ours = box->image();
                direct = QImage(160, 60, QImage::Format_RGB32);
                direct.fill(white);
                QPainter painter(&direct);
                painter.setFont(shown);
                painter.setPen(ink);
                painter.drawText(7, 9 + QFontMetrics(shown).ascent(), isSymbolFont(font) ? symbolText(text) : text);
                break;
            }
            case SurfaceLook: {
                auto box = keptBox(80, 300);
                for (int y = 0; y < 300; ++y)
                    for (int x = 0; x < 80; ++x)
                        box->PSet(x, y, qRgb(x * 3, y % 256, (x + y) % 256));
                const QRect part(7, 63, 40, 130);
                ours = box->grab(part).toImage();
                direct = box->image().copy(part);
                break;
            }
            }
            QVERIFY(alike(ours, direct, levels));
        }
    }

    // Fonts are kept by name, size and weight: asked again, in other letter case or with a blank
    // after the name, the same font; in another size or weight, another.
    void fontsKeptApart()
    {
        for (const QString name : {"MS Sans Serif", "MS Serif", "Comic Sans MS"}) {
            const QFont font = mappedFont(name, 8.25, false);
            QCOMPARE(mappedFont(name.toUpper() + QStringLiteral(" "), 8.25, false), font);
            QCOMPARE(font.pixelSize(), 11);
            QVERIFY(!font.bold() && mappedFont(name, 8.25, true).bold());
            QCOMPARE(mappedFont(name, 12, false).pixelSize(), 16);
            QCOMPARE(mappedFont(name, 12, false).family(), font.family());
        }
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"

