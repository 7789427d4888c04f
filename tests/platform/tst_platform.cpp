// Tests of the windows' services: the drawing surface, pictures, dialogs and files.
#include "BitmapFile.h"
#include "CommonDialog.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "ModalHelper.h"
#include "PictureBox.h"
#include "Pictures.h"
#include "RaisedError.h"
#include "UserActions.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <functional>
#include <memory>

using namespace platform;
using BoxCall = std::function<void(PictureBox&)>;
Q_DECLARE_METATYPE(BoxCall)

namespace {

constexpr QRgb white = 0xffffffff;
constexpr QRgb blue = 0xff0000ff;

// A surface of the given pixel size that keeps what is drawn on it.
std::unique_ptr<PictureBox> keptBox(int w, int h)
{
    auto box = std::make_unique<PictureBox>();
    box->resize(w, h);
    box->setAutoRedraw(true);
    return box;
}

constexpr int saveFlags =
    CommonDialog::FlagLongNames | CommonDialog::FlagPathMustExist | CommonDialog::FlagAskReplace;

// A number or a text, printed in a font, and what shows.
struct Printed { QVariant item; QString font; double size; QString shown; };

CommonDialog bitmapSaveDialog(const QString& folder)
{
    CommonDialog dialog;
    dialog.setFlags(saveFlags);
    dialog.setInitDir(folder);
    dialog.setFilter(QStringLiteral("Mapa de bits (*.bmp)|*.bmp"));
    dialog.setDefaultExt(QStringLiteral("bmp"));
    return dialog;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void cleanup() { checkModalExpectations(); }

    // Ends far beyond the surface: clipped at once, the visible part on its own row. (The pixels of
    // a line are checked on the axes of a graph window.)
    void farLinesAreClipped()
    {
        auto far = keptBox(50, 50);
        far->Scale(0, 1, 1, 0);
        far->Line(-1e30, 0.5, 1e30, 0.5, blue);
        far->Line(-1e30, -1e30, -1e29, -1e29, blue);
        QCOMPARE(pixelsOf(far->image(), blue), 50);
        QCOMPARE(far->image().pixel(49, 25), blue);
    }

    void coordinateErrors_data()
    {
        QTest::addColumn<BoxCall>("call");
        QTest::addColumn<int>("error");
        QTest::newRow("PSet x beyond single precision raises 6") << BoxCall([](PictureBox& b) { b.PSet(1e39, 0, blue); }) << 6;
        QTest::newRow("Line end beyond single precision raises 6") << BoxCall([](PictureBox& b) { b.Line(0, 0, 1, -3.5e38, blue); }) << 6;
        QTest::newRow("largest single is accepted") << BoxCall([](PictureBox& b) { b.PSet(3.4e38, 0, blue); }) << 0;
        QTest::newRow("scale of no width raises 5") << BoxCall([](PictureBox& b) { b.Scale(1, 0, 1, 5); }) << 5;
    }

    void coordinateErrors()
    {
        QFETCH(BoxCall, call);
        QFETCH(int, error);
        auto box = keptBox(10, 10);
        QCOMPARE(errorOf([&] { call(*box); }), error);
        QCOMPARE(pixelsOf(box->image(), blue), 0);
        QCOMPARE(box->ScaleWidth(), 10.0); // the scale is untouched
    }

    void printedText_data()
    {
        QTest::addColumn<Printed>("c");
        QTest::newRow("number, a blank before and after") << Printed{0.5, "MS Serif", 6.0, " 0.5 "};
        QTest::newRow("negative number, a blank after") << Printed{-0.4, "Arial", 8.25, "-0.4 "};
        QTest::newRow("symbol font") << Printed{"-3p/2", "symbol", 8.25, "−3π/2"};
        QTest::newRow("large text") << Printed{"Weierstrass", "Comic Sans MS", 24.0, "Weierstrass"};
    }

    // The text's top-left corner lies at the text position, which then moves to the next line.
    void printedText()
    {
        QFETCH(Printed, c);
        const auto& [item, font, size, shown] = c;
        auto box = keptBox(160, 60);
        box->Scale(-10, 50, 150, -10); // one unit a pixel, y upwards
        box->setFontName(font);
        box->setFontSize(size);
        box->setFontBold(true);
        box->setCurrentX(-3);
        box->setCurrentY(41);
        if (item.typeId() == QMetaType::Double)
            box->Print(item.toDouble());
        else
            box->Print(item.toString());

        const QFont qtFont = mappedFont(font, size, true);
        QCOMPARE(box->CurrentX(), -10.0);
        QCOMPARE(box->CurrentY(), 41.0 - QFontMetrics(qtFont).height());
        QImage expected(160, 60, QImage::Format_RGB32);
        expected.fill(white);
        QPainter painter(&expected);
        painter.setFont(qtFont);
        painter.drawText(7, 9 + QFontMetrics(qtFont).ascent(), shown);
        painter.end();
        QCOMPARE(box->image(), expected);
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

        // Kept drawing survives hiding.
        box->setAutoRedraw(true);
        box->hide();
        box->PSet(5, 6, blue);
        box->show();
        QCOMPARE(box->grab().toImage().pixel(5, 6), blue);
    }

    void backColorAndClear()
    {
        auto box = keptBox(30, 20);
        QCOMPARE(pixelsOf(box->image(), white), 30 * 20); // never drawn on, yet whole
        box->setBackColor(0xffff0000);
        box->PSet(1, 1, white);
        box->clearPicture();
        box->setBackColor(0xffff0000); // the same colour again: still all of it
        QCOMPARE(pixelsOf(box->image(), 0xffff0000), 30 * 20);
    }

    // As a title bar shows it, 36 x 36: a blue curve across a pair of grey axes, on white.
    void windowIcon()
    {
        const QImage icon = QIcon(QStringLiteral(":/icons/window.svg")).pixmap(36, 36).toImage();
        QRect curve;
        QList<int> greyInRow(36), greyInColumn(36);
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 36; ++x)
                if (const QRgb c = icon.pixel(x, y); qBlue(c) > 200 && qRed(c) < 100 && qGreen(c) < 100)
                    curve |= QRect(x, y, 1, 1);
                else if (c != white && qRed(c) == qGreen(c) && qGreen(c) == qBlue(c))
                    ++greyInRow[y], ++greyInColumn[x];
        QVERIFY(pixelsOf(icon, white) > 36 * 36 / 2 && curve.left() < 10 && curve.right() > 26);
        QVERIFY(std::ranges::max(greyInRow) >= 20 && std::ranges::max(greyInColumn) >= 20);
    }

    // A missing folder is refused, and the dialog stays; a name typed in capitals has the default
    // extension all the same, and the flags asked for stay. (Replacing a file is asked through a
    // graph window's save.)
    void saveDialogChecksTheName()
    {
        QTemporaryDir dir;
        CommonDialog dialog = bitmapSaveDialog(dir.path());
        expectModal(saveAs(dir.filePath(QStringLiteral("nao-existe/grafico.bmp"))));
        ModalAnswer refused = expectModal(clickOk);
        expectModal(saveAs(QStringLiteral("G.BMP")));
        dialog.ShowSave(nullptr);
        QVERIFY(refused.record().text.contains(QStringLiteral("O caminho não existe.")));
        QCOMPARE(dialog.FileName(), QDir(dir.path()).filePath(QStringLiteral("G.BMP")));
        QCOMPARE(dialog.Flags(), saveFlags);
    }

    // What a reader of the file finds: a 24-bit bitmap at 96 dots per inch whatever the screen's,
    // rows padded to 4 bytes, the same pixels.
    void bitmapFileReadsBack()
    {
        QImage picture(7, 3, QImage::Format_RGB32); // 21 bytes a row: 3 of padding
        picture.setDotsPerMeterX(2835); // from a screen of 72 dots per inch
        picture.setDotsPerMeterY(2835);
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
        QCOMPARE(bytes.size(), 54 + 3 * 24);
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), 24); // bits per pixel
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 38), 3780); // pixels per metre, 96 per inch
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 42), 3780);
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), picture);

        const BitmapSaveResult missing = saveBitmap(picture, dir.filePath(QStringLiteral("nao/existe.bmp")));
        QCOMPARE(missing.reason, QStringLiteral("O ficheiro existe.bmp não foi guardado: a pasta %1/nao não existe.")
                                     .arg(QDir(dir.path()).absolutePath()));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
