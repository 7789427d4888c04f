// Tests of the start window, the commentary viewer and the lifetime of the program's windows.
#include "Form.h"
#include "MessageBox.h"
#include "ModalHelper.h"
#include "References.h"
#include "UserActions.h"
#include "Windows.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include <algorithm>
#include <memory>

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
        QApplication::setCursorFlashTime(0); // a steady text cursor, the same in every picture
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

    // The start window as it opens, and the program's icon on it.
    void startWindow()
    {
        QVERIFY(activate(m_start));
        CHECK_REFERENCE(m_start.data(), QStringLiteral("form3"));
        CHECK_REFERENCE(m_start->windowIcon().pixmap(36, 36).toImage(), QStringLiteral("icon"));
    }

    // Opened on page 1, the keyboard goes right arrow (first), left arrow (passed over while
    // greyed), "Fechar".
    void viewerOpensOnFirstPage()
    {
        clickBar(m_start, "Comentários");
        QVERIFY(viewer() && QTest::qWaitForWindowActive(viewer()));
        const QList<QWidget*> order{named<QWidget>(viewer(), "SetaD"), named<QWidget>(viewer(), "SetaE"),
                                    named<QWidget>(viewer(), "Command1")};
        for (int shown : {1, 2}) {
            CHECK_REFERENCE(describe(viewer()), page(shown)); // the picture shows no focus frame
            QCOMPARE(QApplication::focusWidget(), order[0]);
            for (int i = shown == 1 ? 2 : 1; i <= 3; ++i) {
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
        QTest::addColumn<QStringList>("before"); // the start window's items chosen before the viewer's
        QTest::newRow("first") << QStringList{};
        QTest::newRow("after the three graph windows") << QStringList{"Takagi", "Weierstrass2", "Weierstrass1"};
        QTest::newRow("closed and opened again") << QStringList{"Comentários", "close", "Takagi"};
    }

    // 9200 x 10700 twips from the outside, whatever frame the window system draws and whatever
    // windows came before; the arrows inside the client area.
    void viewerOuterSize()
    {
        QFETCH(QStringList, before);
        for (const QString& step : before) {
            if (step == QLatin1String("close"))
                viewer()->close();
            else
                clickBar(m_start, qPrintable(step));
            for (QWidget* form : shownWindows())
                QVERIFY(QTest::qWaitForWindowExposed(form));
        }
        platform::Form* form = m_windows->show(FormKind::Form2);
        QVERIFY(form && QTest::qWaitForWindowExposed(form));
        QTRY_COMPARE(form->frameGeometry().size(), QSize(613, 713));
        QCOMPARE(form->centralWidget()->size(), form->size());
        QVERIFY(named<QWidget>(form, "Form2Client")->rect().contains(named<QWidget>(form, "SetaD")->geometry()));
    }

private:
    QWidget* viewer() const { return m_windows->instance(FormKind::Form2); }

    static QString page(int n) { return QStringLiteral("form2-page%1").arg(n, 2, 10, QLatin1Char('0')); }

    // The page, its number and the arrows, as the reference of that page shows them, the pointer
    // over no button.
    void checkViewerState(int shown)
    {
        QWidget* form = viewer();
        QVERIFY(form && activate(form));
        QTest::mouseMove(form, QPoint(1, 1));
        CHECK_REFERENCE(form, page(shown));
    }

    std::unique_ptr<shell::Windows> m_windows;
    QPointer<platform::Form> m_start;
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
