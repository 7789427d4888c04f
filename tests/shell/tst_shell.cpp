// Tests of the start window, the commentary viewer and the lifetime of the program's windows.
#include "Form.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "ModalHelper.h"
#include "TitlePicture.h"
#include "UserActions.h"
#include "Windows.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <memory>

using shell::FormKind;

namespace {

// A window that counts its load and activate events.
class ProbeForm : public platform::Form {
public:
    ProbeForm() { resize(160, 120); }
    void Form_Load() override
    {
        ++loads;
        shownAtLoad = isVisible();
    }
    void Form_Activate() override { ++activates; }

    int loads = 0;
    int activates = 0;
    bool shownAtLoad = true;
};

QWidget* page(QWidget* viewer, int n)
{
    return viewer->findChild<QWidget*>(QStringLiteral("Image1(%1)").arg(n));
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_windows = std::make_unique<shell::Windows>();
        m_start = m_windows->show(FormKind::Form3);
        QVERIFY(m_start);
        QVERIFY(QTest::qWaitForWindowExposed(m_start));
    }

    void cleanup()
    {
        clearModalExpectations();
        m_windows.reset();
        QTRY_VERIFY(shownWindows().isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void showItemsOpenOneWindowPerKind_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<FormKind>("kind");

        QTest::newRow("Weierstrass1 shows Form1") << "Weierstrass1" << FormKind::Form1;
        QTest::newRow("Weierstrass2 shows Form4") << "Weierstrass2" << FormKind::Form4;
        QTest::newRow("Takagi shows Form5") << "Takagi" << FormKind::Form5;
    }

    // A second choice of the same item shows the open window as the user left it; after a close,
    // a fresh one with its defaults.
    void showItemsOpenOneWindowPerKind()
    {
        QFETCH(QString, item);
        QFETCH(FormKind, kind);
        const QByteArray name = item.toUtf8();

        clickBar(m_start, name.constData());
        platform::Form* first = m_windows->instance(kind);
        QVERIFY(first && first->isVisible());
        auto* edit = first->findChild<QLineEdit*>(QStringLiteral("Xmax"));
        QVERIFY(edit);
        const QString defaultText = edit->text();
        edit->setText(QStringLiteral("0.25"));

        clickBar(m_start, name.constData());
        QCOMPARE(m_windows->instance(kind), first);
        QCOMPARE(edit->text(), QStringLiteral("0.25"));
        QCOMPARE(shownWindows().size(), 2);

        first->close();
        QTRY_VERIFY(!m_windows->instance(kind));
        QVERIFY(m_start->isVisible());
        clickBar(m_start, name.constData());
        platform::Form* fresh = m_windows->instance(kind);
        QVERIFY(fresh);
        QCOMPARE(fresh->findChild<QLineEdit*>(QStringLiteral("Xmax"))->text(), defaultText);
    }

    void programEndsWithItsLastWindow_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("endsAfter"); // steps run when the program ended

        QTest::newRow("closing the start window alone ends it") << QStringList{"close Form3"} << 1;
        QTest::newRow("the viewer outlives the start window")
            << QStringList{"show Comentários", "close Form3", "wait", "close Form2"} << 4;
        QTest::newRow("a graph window closed first leaves it running")
            << QStringList{"show Takagi", "close Form5", "wait", "close Form3"} << 4;
        QTest::newRow("quitting ends every window at once")
            << QStringList{"show Weierstrass1", "show Weierstrass2", "show Takagi", "show Comentários", "quit Form3"}
            << 5;
    }

    // Runs the program's event loop while the steps are taken, one every 100 ms, and tells after
    // which step the loop ended.
    void programEndsWithItsLastWindow()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, endsAfter);

        const QHash<QString, FormKind> kinds{{"Form2", FormKind::Form2}, {"Form3", FormKind::Form3},
                                             {"Form5", FormKind::Form5}};
        int taken = 0;
        QTimer stepper;
        stepper.setInterval(100);
        connect(&stepper, &QTimer::timeout, this, [&] {
            if (taken == steps.size()) {
                stepper.stop();
                QCoreApplication::exit(99); // the steps are done and the program still runs
                return;
            }
            const QStringList words = steps.at(taken++).split(QLatin1Char(' '));
            if (words.at(0) == QLatin1String("show"))
                clickBar(m_start, words.at(1).toUtf8().constData());
            else if (words.at(0) == QLatin1String("close"))
                m_windows->instance(kinds.value(words.at(1)))->close();
            else if (words.at(0) == QLatin1String("quit"))
                named<QAction>(m_start, "AbandonarPrograma")->trigger();
        });
        stepper.start();
        const int code = QApplication::exec();
        stepper.stop();
        QCOMPARE(code, 0);
        QCOMPARE(taken, endsAfter);
        QTRY_VERIFY(shownWindows().isEmpty());
    }

    // One instance per kind, loaded within the call that first shows it and before it shows;
    // Activate on its first showing and on each return from another of the program's windows.
    void loadAndActivate()
    {
        shell::Windows::Factories probes;
        probes[std::size_t(FormKind::Form1)] = [](shell::Windows&) { return new ProbeForm; };
        probes[std::size_t(FormKind::Form2)] = [](shell::Windows&) { return new ProbeForm; };
        shell::Windows windows(probes);
        auto* a = static_cast<ProbeForm*>(windows.show(FormKind::Form1));
        QVERIFY(a && a->isVisible() && !a->shownAtLoad);
        QVERIFY(QTest::qWaitForWindowActive(a));
        QCOMPARE(a->activates, 1); // once, though the window system confirms it
        QCOMPARE(windows.show(FormKind::Form1), a);
        QCOMPARE(a->loads, 1);
        auto* b = static_cast<ProbeForm*>(windows.show(FormKind::Form2));
        QVERIFY(QTest::qWaitForWindowActive(b));
        QCOMPARE(b->activates, 1);
        QVERIFY(activate(a));
        QCOMPARE(a->activates, 2);

        // A message box of the program closing is no return from another window.
        bool activeDuringBox = true;
        ModalAnswer answer = expectModal([&activeDuringBox, a](QWidget* box) {
            activeDuringBox = a->isActiveWindow();
            clickOk(box);
        });
        platform::MsgBox(a, QStringLiteral("Deve indicar o valor de a."), platform::MsgBoxInformation);
        QVERIFY(answer.answered() && !activeDuringBox);
        QVERIFY(activate(a));
        QCOMPARE(a->activates, 2);

        // Nor is coming back from another application.
        QWidget elsewhere;
        elsewhere.show();
        QVERIFY(activate(&elsewhere));
        QVERIFY(activate(a));
        QCOMPARE(a->activates, 2);
        QVERIFY(activate(b));
        QVERIFY(activate(a));
        QCOMPARE(b->activates, 2);
        QCOMPARE(a->activates, 3);

        // Closed by its close box or unloaded, it is gone at once; the next showing loads anew.
        const QPointer<platform::Form> closed = a;
        QVERIFY(a->close());
        QCOMPARE(windows.instance(FormKind::Form1), nullptr);
        windows.unload(FormKind::Form2);
        QCOMPARE(windows.instance(FormKind::Form2), nullptr);
        QTRY_VERIFY(closed.isNull());
        QCOMPARE(static_cast<ProbeForm*>(windows.show(FormKind::Form1))->loads, 1);
    }

    // The start window's title and credit lines are written in blue.
    void titleInBlue()
    {
        for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5"}) {
            auto* label = named<QLabel>(m_start, name);
            QVERIFY2(label, name);
            QVERIFY2(paintedPixels(label, qRgb(0, 0, 255)) > 20, name);
        }
    }

    void viewerOpensOnFirstPage()
    {
        QWidget* form = openViewer();
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        checkViewerState(1);
        QCOMPARE(form->windowTitle(), QStringLiteral("COMENTÁRIOS"));
        QWidget* arrowRight = named<QWidget>(form, "SetaD");
        QWidget* arrowLeft = named<QWidget>(form, "SetaE");
        QWidget* close = named<QWidget>(form, "Command1");
        QVERIFY(m_start->isVisible());

        // The keyboard goes right arrow, left arrow, "Fechar"; the right arrow first. On the first
        // page the greyed left arrow is passed over.
        QCOMPARE(QApplication::focusWidget(), arrowRight);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), close);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), arrowRight);

        QTest::keyClick(arrowRight, Qt::Key_Space);
        checkViewerState(2);
        for (QWidget* next : {arrowLeft, close, arrowRight}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void viewerTurnsPages_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("then");
        QTest::addColumn<int>("page");

        QTest::newRow("twelve steps reach the last page") << 12 << 0 << "" << 13;
        QTest::newRow("no wrap past the last page") << 15 << 0 << "" << 13;
        QTest::newRow("no wrap before the first page") << 0 << 3 << "" << 1;
        QTest::newRow("there and part way back") << 9 << 4 << "" << 6;
        QTest::newRow("Comentários again keeps the viewer and its page") << 6 << 0 << "Comentários" << 7;
        QTest::newRow("closed by Fechar, opens again on page 1") << 6 << 0 << "Fechar" << 1;
        QTest::newRow("closed by its close box, opens again on page 1") << 6 << 0 << "close box" << 1;
    }

    // Clicks the right arrow, then the left one, checking the viewer after every click; then
    // chooses "Comentários" again, after closing the viewer if so told.
    void viewerTurnsPages()
    {
        QFETCH(int, right);
        QFETCH(int, left);
        QFETCH(QString, then);
        QFETCH(int, page);

        const QPointer<QWidget> form = openViewer();
        QVERIFY(form);
        QWidget* arrowRight = named<QWidget>(form, "SetaD");
        QWidget* arrowLeft = named<QWidget>(form, "SetaE");
        int expected = 1;
        for (int i = 0; i < right; ++i) {
            QTest::mouseClick(arrowRight, Qt::LeftButton);
            checkViewerState(expected = qMin(expected + 1, 13));
        }
        for (int i = 0; i < left; ++i) {
            QTest::mouseClick(arrowLeft, Qt::LeftButton);
            checkViewerState(expected = qMax(expected - 1, 1));
        }
        if (then == QLatin1String("Fechar"))
            QTest::mouseClick(named<QWidget>(form, "Command1"), Qt::LeftButton);
        else if (then == QLatin1String("close box"))
            form->close();
        const bool again = then == QStringLiteral("Comentários");
        if (!then.isEmpty()) {
            if (!again)
                QTRY_VERIFY(!viewer() && form.isNull());
            QVERIFY(m_start->isVisible());
            clickBar(m_start, "Comentários");
            QVERIFY(viewer());
            QCOMPARE(viewer() == form.data(), again);
        }
        checkViewerState(page);
        int viewers = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            viewers += widget->objectName() == QLatin1String("Form2") ? 1 : 0;
        QCOMPARE(viewers, 1);
    }

    // 9200 x 10700 twips from the outside, whatever frame the window system draws.
    void viewerOuterSize()
    {
        QWidget* form = openViewer();
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->frameGeometry().size(), QSize(613, 713));
        // Room for the lowest controls, the arrows, inside the client area.
        QVERIFY(named<QWidget>(form, "Form2Client")->rect().contains(named<QWidget>(form, "SetaD")->geometry()));
    }

    void viewerOuterSizeInAnyOrder_data()
    {
        QTest::addColumn<QStringList>("before"); // what the user does before opening the viewer

        QTest::newRow("after a graph window") << QStringList{"Weierstrass1"};
        QTest::newRow("after the three graph windows") << QStringList{"Takagi", "Weierstrass2", "Weierstrass1"};
        QTest::newRow("alone") << QStringList{"hide Form3"};
        QTest::newRow("closed and opened again") << QStringList{"Comentários", "Fechar", "Takagi"};
    }

    // The outer size does not depend on the other windows, framed as they may be.
    void viewerOuterSizeInAnyOrder()
    {
        QFETCH(QStringList, before);
        for (const QString& step : before) {
            if (step == QLatin1String("hide Form3")) {
                m_start->hide();
            } else if (step == QLatin1String("Fechar")) {
                QTest::mouseClick(named<QPushButton>(viewer(), "Command1"), Qt::LeftButton);
                QTRY_VERIFY(!viewer());
            } else {
                clickBar(m_start, qPrintable(step));
                for (QWidget* form : shownWindows())
                    QVERIFY(QTest::qWaitForWindowExposed(form));
            }
        }
        platform::Form* form = m_windows->show(FormKind::Form2);
        QVERIFY(form && QTest::qWaitForWindowExposed(form));
        QTRY_COMPARE(form->frameGeometry().size(), QSize(613, 713));
        QCOMPARE(form->centralWidget()->size(), form->size());
    }

    void menusHaveTheDesktopFont_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<FormKind>("kind");

        QTest::newRow("first Weierstrass window") << "Weierstrass1" << FormKind::Form1;
        QTest::newRow("second Weierstrass window") << "Weierstrass2" << FormKind::Form4;
        QTest::newRow("Takagi window") << "Takagi" << FormKind::Form5;
    }

    // A graph window's menu bar and drop-down look as the start window's; its controls keep the
    // fonts of their layout.
    void menusHaveTheDesktopFont()
    {
        QFETCH(QString, item);
        QFETCH(FormKind, kind);
        clickBar(m_start, qPrintable(item));
        platform::Form* form = m_windows->instance(kind);
        QVERIFY(form);
        QCOMPARE(form->menuBar()->font(), m_start->menuBar()->font());
        auto* ficheiro = form->findChild<QMenu*>(QStringLiteral("Ficheiro"));
        QVERIFY(ficheiro);
        QCOMPARE(ficheiro->font(), QApplication::font(ficheiro));
        QCOMPARE(ficheiro->font(), m_start->findChild<QMenu*>(QStringLiteral("Ficheiro"))->font());
        QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("Xmin"))->font(),
                 platform::mappedFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    }

    // Every page is there, and the viewer shows its lettering.
    void pagesAreEmbedded()
    {
        QWidget* form = openViewer();
        QVERIFY(form);
        for (int n = 1; n <= 13; ++n) {
            const QImage shown = page(form, n)->grab().toImage();
            int dark = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    dark += qGray(shown.pixel(x, y)) < 128;
            QVERIFY2(dark > 500, qPrintable(QString::number(n)));
        }
    }

    // The embedded picture, shown at its own size, is just what its generator draws today, so
    // that a change to the axes or the series shows here until the picture is made again
    // (make-title-picture).
    void titlePicture()
    {
        const QLabel* shown = named<QLabel>(m_start, "Image1");
        QCOMPARE(shown->size(), QSize(567, 567));
        const QImage embedded = shown->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage drawn = titlepicture::draw().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(embedded.size(), QSize(567, 567));
        QCOMPARE(drawn.size(), embedded.size());
        int differing = 0;
        QSet<QRgb> colours;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                differing += drawn.pixel(x, y) != embedded.pixel(x, y) ? 1 : 0;
                colours.insert(drawn.pixel(x, y));
            }
        }
        QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
        for (QRgb colour : {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0, 0, 255), qRgb(255, 0, 0), qRgb(0, 160, 0)})
            QVERIFY(colours.contains(colour));
    }

private:
    QWidget* openViewer()
    {
        clickBar(m_start, "Comentários");
        return viewer();
    }

    QWidget* viewer() const { return m_windows->instance(FormKind::Form2); }

    // The viewer's invariant: exactly the current page shown, the counter showing it, the left
    // arrow disabled on the first page only and the right arrow on the last page only.
    void checkViewerState(int shown)
    {
        QWidget* form = viewer();
        QVERIFY(form);
        for (int n = 1; n <= 13; ++n)
            QCOMPARE(page(form, n)->isVisible(), n == shown);
        const QRect first = named<QLabel>(form, "Label1")->geometry();
        const QLabel* counter = named<QLabel>(form, "Label2");
        const QRect last = named<QLabel>(form, "Label3")->geometry();
        QCOMPARE(counter->text(), QString::number(shown));
        // "Página", the number and "de  13" read as one line, with no overlap, the whole number
        // showing.
        const QRect number = counter->geometry();
        QCOMPARE(number.top(), first.top());
        QCOMPARE(last.top(), first.top());
        QCOMPARE(number.height(), first.height());
        QVERIFY(first.right() < number.left() && number.right() < last.left());
        QVERIFY(number.width() >= QFontMetrics(counter->font()).horizontalAdvance(counter->text()));
        QCOMPARE(named<QWidget>(form, "SetaE")->isEnabled(), shown != 1);
        QCOMPARE(named<QWidget>(form, "SetaD")->isEnabled(), shown != 13);
    }

    std::unique_ptr<shell::Windows> m_windows;
    QPointer<platform::Form> m_start;
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
