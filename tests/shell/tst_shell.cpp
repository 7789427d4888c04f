// Tests of the start window, the commentary viewer and the lifetime of the program's windows.
#include "Form.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "ModalHelper.h"
#include "Twips.h"
#include "UserActions.h"
#include "Windows.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include <algorithm>
#include <memory>

using platform::px;
using shell::FormKind;

namespace {

// A window that counts its load and activate events.
class ProbeForm : public platform::Form {
public:
    ProbeForm() { resize(160, 120); }
    void Form_Load() override { ++loads; shownAtLoad = isVisible(); }
    void Form_Activate() override { ++activates; }
    int loads = 0, activates = 0;
    bool shownAtLoad = true;
};

// Clicks on the right arrow, then on the left one; what follows; the page shown at the end.
struct Turns { int right, left; QString then; int page; };

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        expectNoModal(); // nothing here asks the user, unless a test says so
        m_windows = std::make_unique<shell::Windows>();
        m_start = m_windows->show(FormKind::Form3);
        QVERIFY(QTest::qWaitForWindowExposed(m_start));
    }

    void cleanup()
    {
        checkModalExpectations();
        m_windows.reset();
        QTRY_VERIFY(shownWindows().isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void showItemsOpenOneWindowPerKind_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<FormKind>("kind");
        QTest::newRow("Weierstrass1") << "Weierstrass1" << FormKind::Form1;
        QTest::newRow("Weierstrass2") << "Weierstrass2" << FormKind::Form4;
        QTest::newRow("Takagi") << "Takagi" << FormKind::Form5;
    }

    // A second choice shows the open window as the user left it; after a close, a fresh one.
    void showItemsOpenOneWindowPerKind()
    {
        QFETCH(QString, item);
        QFETCH(FormKind, kind);
        clickBar(m_start, qPrintable(item));
        platform::Form* first = m_windows->instance(kind);
        QVERIFY(first && first->isVisible());
        QVERIFY(hasTheProgramIcon(first) && hasTheProgramIcon(m_start));
        auto* edit = named<QLineEdit>(first, "Xmax");
        const QString defaultText = edit->text();
        edit->setText(QStringLiteral("0.25"));

        clickBar(m_start, qPrintable(item));
        QVERIFY(m_windows->instance(kind) == first && edit->text() == QStringLiteral("0.25"));
        QCOMPARE(shownWindows().size(), 2);

        first->close();
        QTRY_VERIFY(!m_windows->instance(kind));
        clickBar(m_start, qPrintable(item));
        QCOMPARE(named<QLineEdit>(m_windows->instance(kind), "Xmax")->text(), defaultText);
    }

    void programEndsWithItsLastWindow_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("endsAfter"); // steps taken when the program ended

        // A step chooses an item of the start window, closes a window, or waits ("").
        QTest::newRow("start window alone") << QStringList{"Form3"} << 1;
        QTest::newRow("the viewer outlives the start window") << QStringList{"Comentários", "Form3", "", "Form2"} << 4;
        QTest::newRow("a graph window closed first") << QStringList{"Takagi", "Form5", "", "Form3"} << 4;
    }

    // Takes the steps from inside the program's event loop and tells after which one it ended.
    void programEndsWithItsLastWindow()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, endsAfter);
        int taken = 0;
        QTimer stepper;
        connect(&stepper, &QTimer::timeout, this, [&] {
            if (taken == steps.size()) {
                stepper.stop();
                return QCoreApplication::exit(99); // the program still runs
            }
            const QString step = steps.at(taken++);
            if (step.startsWith(QLatin1String("Form")))
                m_windows->instance(FormKind(step.mid(4).toInt() - 1))->close();
            else if (!step.isEmpty())
                named<QAction>(m_start, qPrintable(step))->trigger();
        });
        stepper.start(100);
        const int code = QApplication::exec();
        stepper.stop();
        QCOMPARE(code, 0);
        QCOMPARE(taken, endsAfter);
        QTRY_VERIFY(shownWindows().isEmpty());
    }

    // Loaded once, before its first showing; activated on it and on each return from another of the
    // program's windows, not from a message box.
    void loadAndActivate()
    {
        shell::Windows::Factories probes;
        probes[std::size_t(FormKind::Form1)] = [](shell::Windows&) { return new ProbeForm; };
        probes[std::size_t(FormKind::Form2)] = [](shell::Windows&) { return new ProbeForm; };
        shell::Windows windows(probes);
        auto* a = static_cast<ProbeForm*>(windows.show(FormKind::Form1));
        QVERIFY(a && !a->shownAtLoad && QTest::qWaitForWindowActive(a));
        QCOMPARE(a->activates, 1); // once, though the window system confirms it
        QVERIFY(windows.show(FormKind::Form1) == a && a->loads == 1);
        QVERIFY(QTest::qWaitForWindowActive(windows.show(FormKind::Form2)) && activate(a));
        QCOMPARE(a->activates, 2);

        bool boxActive = false;
        ModalAnswer answer = expectModal([&boxActive, a](QWidget* box) {
            boxActive = !a->isActiveWindow();
            clickOk(box);
        });
        platform::MsgBox(a, QStringLiteral("Deve indicar o valor de a."), platform::MsgBoxInformation);
        QVERIFY(answer.answered() && boxActive && activate(a));
        QCOMPARE(a->activates, 2);
    }

    // The title words and the three credit lines in blue, each where the layout puts it (twips).
    void titleLinesWhereTheLayoutPutsThem()
    {
        const struct { const char* label; int left, top; } lines[] = {
            {"Label4", 10020, 2580}, {"Label5", 9420, 6360}, {"Label1", 480, 9360}, {"Label2", 480, 9720}, {"Label3", 480, 10080}};
        for (const auto& line : lines) {
            auto* label = named<QLabel>(m_start, line.label);
            QCOMPARE(label->pos(), QPoint(px(line.left), px(line.top)));
            QVERIFY2(paintedPixels(label, qRgb(0, 0, 255)) > 20, line.label);
        }
    }

    // Opened on page 1, the keyboard goes right arrow (first), left arrow (passed over while
    // greyed), "Fechar".
    void viewerOpensOnFirstPage()
    {
        clickBar(m_start, "Comentários");
        QVERIFY(viewer() && QTest::qWaitForWindowActive(viewer()));
        QVERIFY(hasTheProgramIcon(viewer()));
        const QList<QWidget*> order{named<QWidget>(viewer(), "SetaD"), named<QWidget>(viewer(), "SetaE"),
                                    named<QWidget>(viewer(), "Command1")};
        for (int page : {1, 2}) {
            checkViewerState(page);
            QCOMPARE(QApplication::focusWidget(), order[0]);
            for (int i = page == 1 ? 2 : 1; i <= 3; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), order[i % 3]);
            }
            QTest::keyClick(order[0], Qt::Key_Space);
        }
    }

    void viewerTurnsPages_data()
    {
        QTest::addColumn<Turns>("turns");
        QTest::newRow("to the end and back, no wrap either way") << Turns{15, 14, "", 1};
        QTest::newRow("Comentários again keeps the viewer and its page") << Turns{6, 0, "Comentários", 7};
        QTest::newRow("closed by Fechar, opens again on page 1") << Turns{6, 0, "Fechar", 1};
        QTest::newRow("closed by its close box, opens again on page 1") << Turns{6, 0, "close box", 1};
    }

    // Clicks the arrows, checking the viewer after every click; then chooses "Comentários" again,
    // after closing the viewer if so told.
    void viewerTurnsPages()
    {
        QFETCH(Turns, turns);
        const auto& [right, left, then, page] = turns;

        clickBar(m_start, "Comentários");
        const QPointer<QWidget> form = viewer();
        QVERIFY(form);
        int expected = 1;
        for (int i = 0; i < right + left; ++i) {
            QTest::mouseClick(named<QWidget>(form, i < right ? "SetaD" : "SetaE"), Qt::LeftButton);
            checkViewerState(expected = std::clamp(expected + (i < right ? 1 : -1), 1, 13));
        }
        if (then == QLatin1String("Fechar"))
            QTest::mouseClick(named<QWidget>(form, "Command1"), Qt::LeftButton);
        else if (then == QLatin1String("close box"))
            form->close();
        if (!then.isEmpty()) {
            const bool again = then == QStringLiteral("Comentários");
            if (!again)
                QTRY_VERIFY(!viewer() && form.isNull());
            clickBar(m_start, "Comentários");
            QVERIFY(viewer() && (viewer() == form.data()) == again);
        }
        checkViewerState(page);
    }

    void viewerOuterSize_data()
    {
        QTest::addColumn<QStringList>("before"); // what the user does before opening the viewer

        QTest::newRow("first") << QStringList{};
        QTest::newRow("after the three graph windows") << QStringList{"Takagi", "Weierstrass2", "Weierstrass1"};
        QTest::newRow("alone") << QStringList{"hide Form3"};
        QTest::newRow("closed and opened again") << QStringList{"Comentários", "Fechar", "Takagi"};
    }

    // 9200 x 10700 twips from the outside, whatever frame the window system draws and whatever
    // windows came before; the arrows inside the client area.
    void viewerOuterSize()
    {
        QFETCH(QStringList, before);
        for (const QString& step : before) {
            if (step == QLatin1String("hide Form3")) {
                m_start->hide();
            } else if (step == QLatin1String("Fechar")) {
                QTest::mouseClick(named<QWidget>(viewer(), "Command1"), Qt::LeftButton);
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
        QVERIFY(named<QWidget>(form, "Form2Client")->rect().contains(named<QWidget>(form, "SetaD")->geometry()));
    }

    void menusHaveTheDesktopFont_data() { showItemsOpenOneWindowPerKind_data(); }

    // A graph window's menus look as the start window's; its controls keep their own fonts.
    void menusHaveTheDesktopFont()
    {
        QFETCH(QString, item);
        QFETCH(FormKind, kind);
        clickBar(m_start, qPrintable(item));
        platform::Form* form = m_windows->instance(kind);
        QVERIFY(form);
        QCOMPARE(form->menuBar()->font(), m_start->menuBar()->font());
        auto* ficheiro = named<QMenu>(form, "Ficheiro");
        QCOMPARE(ficheiro->font(), QApplication::font(ficheiro));
        QCOMPARE(ficheiro->font(), named<QMenu>(m_start, "Ficheiro")->font());
        QCOMPARE(named<QLineEdit>(form, "Xmin")->font(), platform::mappedFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    }

private:
    QWidget* viewer() const { return m_windows->instance(FormKind::Form2); }

    static bool hasTheProgramIcon(const QWidget* window)
    {
        const auto drawn = [](const QIcon& icon) { return icon.pixmap(36, 36).toImage(); };
        return drawn(window->windowIcon()) == drawn(QIcon(QStringLiteral(":/icons/window.svg")));
    }

    // Only the current page shown, its lettering embedded; "Página", its number, whole, and "de  13"
    // on one line; each arrow greyed at its end only.
    void checkViewerState(int shown)
    {
        QWidget* form = viewer();
        QVERIFY(form);
        for (int n = 1; n <= 13; ++n)
            QCOMPARE(form->findChild<QWidget*>(QStringLiteral("Image1(%1)").arg(n))->isVisible(), n == shown);
        QVERIFY(paintedPixels(form->findChild<QWidget*>(QStringLiteral("Image1(%1)").arg(shown)), qRgb(0, 0, 0)) > 500);
        const QLabel* counter = named<QLabel>(form, "Label2");
        QCOMPARE(counter->text(), QString::number(shown));
        const QRect first = named<QLabel>(form, "Label1")->geometry(), number = counter->geometry(),
                    last = named<QLabel>(form, "Label3")->geometry();
        QVERIFY(number.top() == first.top() && last.top() == first.top() && number.height() == first.height());
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
