// Tests of the windows' services: the drawing surface, the save dialog and the bitmap file.
#include "BitmapFile.h"
#include "CommonDialog.h"
#include "ModalHelper.h"
#include "PictureBox.h"
#include "RaisedError.h"
#include "UserActions.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <csignal>
#include <functional>
#include <memory>
#include <linux/capability.h>
#include <linux/securebits.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace platform;
using BoxCall = std::function<void(PictureBox&)>;

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

// A failing save: shell commands that make what the folder holds, the folder of grafico.bmp, the most
// a file may grow to (-1: any size), whether root is to meet the permission checks as any user does,
// and the reason given. The folder of grafico.bmp and any old file there must stay as they were.
struct Failing { QString prepare, folder; int sizeLimit; bool asAnyUser; QString reason; };

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { checkModalExpectations(); }

    // Ends far beyond the surface: clipped at once, the visible part on its own row. (The pixels of
    // a line are checked on the axes of a graph window.)
    void farLinesAreClipped()
    {
        auto far = keptBox(50, 50);
        far->Scale(0, 1, 1, 0);
        far->Line(-1e30, 0.5, 1e30, 0.5, blue);
        far->Line(-1e30, -1e30, -1e29, -1e29, blue);
        QImage row = keptBox(50, 50)->image();
        row.fill(white);
        for (int x = 0; x < 50; ++x)
            row.setPixel(x, 25, blue);
        QCOMPARE(far->image(), row);
    }

    void coordinateErrors_data()
    {
        QTest::addColumn<BoxCall>("call");
        QTest::addColumn<int>("error");
        const auto row = [](const char* name, BoxCall call, int error) { QTest::newRow(name) << call << error; };
        row("PSet x beyond single precision raises 6", [](PictureBox& b) { b.PSet(1e39, 0, blue); }, 6);
        row("Line end beyond single precision raises 6", [](PictureBox& b) { b.Line(0, 0, 1, -3.5e38, blue); }, 6);
        row("largest single is accepted", [](PictureBox& b) { b.PSet(3.4e38, 0, blue); }, 0);
        row("scale of no width raises 5", [](PictureBox& b) { b.Scale(1, 0, 1, 5); }, 5);
    }

    void coordinateErrors()
    {
        QFETCH(BoxCall, call);
        QFETCH(int, error);
        auto box = keptBox(10, 10);
        const QImage blank = box->image();
        QCOMPARE(errorOf([&] { call(*box); }), error);
        QCOMPARE(box->image(), blank); // nothing drawn, on the surface or beyond it
        QCOMPARE(box->ScaleWidth(), 10.0); // the scale is untouched
    }

    // A missing folder is refused, and the dialog stays; a name typed in capitals has the default
    // extension all the same, and the flags asked for stay. (Replacing: a graph window's save.)
    void saveDialogChecksTheName()
    {
        QTemporaryDir dir;
        constexpr int flags =
            CommonDialog::FlagLongNames | CommonDialog::FlagPathMustExist | CommonDialog::FlagAskReplace;
        CommonDialog dialog;
        dialog.setFlags(flags);
        dialog.setInitDir(dir.path());
        dialog.setFilter(QStringLiteral("Mapa de bits (*.bmp)|*.bmp"));
        dialog.setDefaultExt(QStringLiteral("bmp"));
        expectModal(saveAs(dir.filePath(QStringLiteral("nao-existe/grafico.bmp"))));
        ModalAnswer refused = expectModal(clickOk);
        expectModal(saveAs(QStringLiteral("G.BMP")));
        dialog.ShowSave(nullptr);
        QVERIFY(refused.record().text.contains(QStringLiteral("O caminho não existe.")));
        QCOMPARE(dialog.FileName(), QDir(dir.path()).filePath(QStringLiteral("G.BMP")));
        QCOMPARE(dialog.Flags(), flags);
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
    }

    void saveFailures_data()
    {
        QTest::addColumn<Failing>("c");
        const auto row = [](const char* name, const Failing& c) { QTest::newRow(name) << c; };
        const auto old = [](const char* mode) {
            return QString("echo antigo >grafico.bmp && chmod %1 grafico.bmp").arg(mode);
        };
        row("no folder", {":", "nao/", -1, false, "a pasta %1/nao não existe"});
        row("read-only folder", {"mkdir -m 555 p", "p/", -1, true, "não tem permissão para escrever na pasta %1/p"});
        row("folder of that name", {"mkdir grafico.bmp", "", -1, false, "já existe uma pasta com esse nome"});
        row("read-only file", {old("444"), "", -1, true, "o ficheiro existente está protegido contra a escrita"});
        row("path through a file", {"touch f", "f/", -1, false, "o sistema recusou a criação do ficheiro"});
        row("disk full",
            {old("644"), "", 0, false, "não foi possível escrever todos os dados (o disco pode estar cheio)"});
        // Another user's file in a shared folder can be written, not replaced.
        row("replacing refused", {"mkdir -m 1777 c && cd c && " + old("666") + " && chown 1:1 . grafico.bmp", "c/", -1,
                                  true, "não foi possível terminar a escrita (o disco pode estar cheio)"});
    }

    void saveFailures()
    {
        QFETCH(Failing, c);
        QTemporaryDir dir;
        const int prepared = QProcess::execute("/bin/sh", {"-c", "cd '" + dir.path() + "' && " + c.prepare});
        if (prepared != 0 && c.prepare.contains("chown"))
            QSKIP("Files cannot be given to another user here (root can).");
        QCOMPARE(prepared, 0);
        const QFileInfo target(dir.filePath(c.folder + "grafico.bmp"));
        const auto state = [&] {
            QFile file(target.filePath());
            return QDir(target.path()).entryList() << (file.open(QIODevice::ReadOnly) ? file.readAll() : "");
        };
        const QStringList before = state();
        // Root drops for a while the capabilities that let it through the permission checks, and has
        // access() judge by those left.
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct kept[2]{};
        const int bits = prctl(PR_GET_SECUREBITS);
        const bool asRoot = c.asAnyUser && geteuid() == 0 && syscall(SYS_capget, &header, kept) == 0;
        if (asRoot) {
            __user_cap_data_struct dropped[2] = {kept[0], kept[1]};
            dropped[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH | 1u << CAP_FOWNER);
            QVERIFY(prctl(PR_SET_SECUREBITS, bits | SECBIT_NO_SETUID_FIXUP) == 0
                    && syscall(SYS_capset, &header, dropped) == 0);
        }
        const rlimit usual = [] { rlimit r{}; getrlimit(RLIMIT_FSIZE, &r); return r; }();
        const rlimit limit{c.sizeLimit < 0 ? usual.rlim_cur : rlim_t(c.sizeLimit), usual.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails instead of ending the program
        setrlimit(RLIMIT_FSIZE, &limit);
        const auto result = saveBitmap(keptBox(7, 3)->image(), target.filePath()); // all in the file's buffer
        setrlimit(RLIMIT_FSIZE, &usual);
        if (asRoot)
            QVERIFY(syscall(SYS_capset, &header, kept) == 0 && prctl(PR_SET_SECUREBITS, bits) == 0);
        QVERIFY(!result.ok);
        QCOMPARE(result.reason,
                 "O ficheiro grafico.bmp não foi guardado: " + c.reason.replace("%1", dir.path()) + '.');
        QCOMPARE(state(), before);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
