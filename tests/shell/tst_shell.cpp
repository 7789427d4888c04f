// Tests of the start window, the commentary viewer and the lifetime of the program's windows.
#include "Form.h"
#include "Form2.h"
#include "Form3.h"
#include "Fonts.h"
#include "Pictures.h"
#include "TitlePicture.h"
#include "Windows.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSvgRenderer>
#include <QtEndian>
#include <QtTest>

using platform::FormKind;
using platform::Forms;

namespace {

constexpr FormKind allKinds[] = {FormKind::Form1, FormKind::Form2, FormKind::Form3, FormKind::Form4,
                                 FormKind::Form5};

QList<platform::Form*> openForms()
{
    QList<platform::Form*> forms;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<platform::Form*>(widget);
        if (form && form->isVisible())
            forms.append(form);
    }
    return forms;
}

Form2* viewer()
{
    return static_cast<Form2*>(Forms::instance(FormKind::Form2));
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        shell::registerWindowKinds();
        m_start = static_cast<Form3*>(Forms::show(FormKind::Form3));
        QVERIFY(m_start);
        QVERIFY(QTest::qWaitForWindowExposed(m_start));
    }

    void cleanup()
    {
        for (FormKind kind : allKinds)
            Forms::unload(kind);
        QTRY_VERIFY(openForms().isEmpty());
        m_start = nullptr;
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

        clickBar(name.constData());
        platform::Form* first = Forms::instance(kind);
        QVERIFY(first && first->isVisible() && first->isLoaded());
        auto* edit = first->findChild<QLineEdit*>(QStringLiteral("Xmax"));
        QVERIFY(edit);
        const QString defaultText = edit->text();
        edit->setText(QStringLiteral("0.25"));

        clickBar(name.constData());
        QCOMPARE(Forms::instance(kind), first);
        QCOMPARE(edit->text(), QStringLiteral("0.25"));
        QCOMPARE(openForms().size(), 2);

        first->close();
        QTRY_VERIFY(!Forms::instance(kind));
        QVERIFY(m_start->isVisible());
        clickBar(name.constData());
        platform::Form* fresh = Forms::instance(kind);
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
                clickBar(words.at(1).toUtf8().constData());
            else if (words.at(0) == QLatin1String("close"))
                Forms::instance(kinds.value(words.at(1)))->close();
        });
        stepper.start();
        const int code = QApplication::exec();
        stepper.stop();
        QCOMPARE(code, 0);
        QCOMPARE(taken, endsAfter);
        QTRY_VERIFY(openForms().isEmpty());
        if (!Forms::instance(FormKind::Form3))
            m_start = nullptr;
    }

    void viewerOpensOnFirstPage()
    {
        Form2* form = openViewer();
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        checkViewerState(1);
        QCOMPARE(form->windowTitle(), QStringLiteral("COMENTÁRIOS"));
        QCOMPARE(form->Label1->text(), QStringLiteral("Página"));
        QCOMPARE(form->Label3->text(), QStringLiteral("de  13"));
        QVERIFY(m_start->isVisible());

        // The keyboard goes right arrow, left arrow, "Fechar"; the right arrow first. On the first
        // page the greyed left arrow is passed over.
        QCOMPARE(QApplication::focusWidget(), form->SetaD);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Command1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->SetaD);

        QTest::keyClick(form->SetaD, Qt::Key_Space);
        checkViewerState(2);
        for (QWidget* next : {static_cast<QWidget*>(form->SetaE), static_cast<QWidget*>(form->Command1),
                              static_cast<QWidget*>(form->SetaD)}) {
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

        QTest::newRow("one step right") << 1 << 0 << "" << 2;
        QTest::newRow("twelve steps reach the last page") << 12 << 0 << "" << 13;
        QTest::newRow("no wrap past the last page") << 15 << 0 << "" << 13;
        QTest::newRow("no wrap before the first page") << 0 << 3 << "" << 1;
        QTest::newRow("twelve back from the last page") << 12 << 12 << "" << 1;
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

        const QPointer<Form2> form = openViewer();
        QVERIFY(form);
        int expected = 1;
        for (int i = 0; i < right; ++i) {
            QTest::mouseClick(form->SetaD, Qt::LeftButton);
            checkViewerState(expected = qMin(expected + 1, 13));
        }
        for (int i = 0; i < left; ++i) {
            QTest::mouseClick(form->SetaE, Qt::LeftButton);
            checkViewerState(expected = qMax(expected - 1, 1));
        }
        if (then == QLatin1String("Fechar"))
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        else if (then == QLatin1String("close box"))
            form->close();
        const bool again = then == QStringLiteral("Comentários");
        if (!then.isEmpty()) {
            if (!again)
                QTRY_VERIFY(!viewer() && form.isNull());
            QVERIFY(m_start->isVisible());
            clickBar("Comentários");
            QVERIFY(viewer());
            QCOMPARE(viewer() == form.data(), again);
        }
        checkViewerState(page);
        int viewers = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            viewers += dynamic_cast<Form2*>(widget) ? 1 : 0;
        QCOMPARE(viewers, 1);
    }

    // 9200 x 10700 twips from the outside, whatever frame the window system draws.
    void viewerOuterSize()
    {
        Form2* form = openViewer();
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->frameGeometry().size(), QSize(613, 713));
        // Room for the lowest controls, the arrows, inside the client area.
        QVERIFY(form->centralWidget()->rect().contains(form->SetaD->geometry()));
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
                QTest::mouseClick(viewer()->Command1, Qt::LeftButton);
                QTRY_VERIFY(!viewer());
            } else {
                clickBar(qPrintable(step));
                for (platform::Form* form : openForms())
                    QVERIFY(QTest::qWaitForWindowExposed(form));
            }
        }
        Form2* form = static_cast<Form2*>(Forms::show(FormKind::Form2));
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
        clickBar(qPrintable(item));
        platform::Form* form = Forms::instance(kind);
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
        Form2* form = openViewer();
        QVERIFY(form);
        for (int n = 1; n <= 13; ++n) {
            QSvgRenderer page(QStringLiteral(":/pages/pagina%1.svg").arg(n, 2, 10, QLatin1Char('0')));
            QVERIFY2(page.isValid(), qPrintable(QString::number(n)));
            QCOMPARE(page.defaultSize(), QSize(589, 625));
            const QImage shown = form->Image1(n)->grab().toImage();
            int dark = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    dark += qGray(shown.pixel(x, y)) < 128;
            QVERIFY2(dark > 500, qPrintable(QString::number(n)));
        }
        for (const char* arrow : {":/icons/seta-esquerda.svg", ":/icons/seta-direita.svg"}) {
            QSvgRenderer icon{QString::fromUtf8(arrow)};
            QVERIFY2(icon.isValid(), arrow);
            QCOMPARE(icon.defaultSize(), QSize(24, 24));
        }
    }

    // The embedded picture: a bitmap of 567 x 567 pixels at 24 bits, shown at its own size, and
    // just what its generator draws today, so that a change to the axes or the series shows here
    // until the picture is made again (make-title-picture).
    void titlePicture()
    {
        QFile file(QStringLiteral(":/pictures/titulo.bmp"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() > 54 && bytes.startsWith("BM"));
        const auto* header = reinterpret_cast<const uchar*>(bytes.constData());
        QCOMPARE(qFromLittleEndian<qint32>(header + 18), 567);
        QCOMPARE(qAbs(qFromLittleEndian<qint32>(header + 22)), 567);
        QCOMPARE(qFromLittleEndian<quint16>(header + 28), quint16(24));
        QCOMPARE(m_start->Image1->size(), QSize(567, 567));
        QCOMPARE(m_start->Image1->pixmap().size(), QSize(567, 567));

        const QImage embedded = QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
        const QImage drawn = titlepicture::draw().convertToFormat(QImage::Format_RGB32);
        QVERIFY(!drawn.isNull());
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
        for (QRgb colour :
             {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0, 0, 255), qRgb(255, 0, 0), qRgb(0, 160, 0)})
            QVERIFY(colours.contains(colour));
    }

private:
    // Chooses an entry of the start window's menu bar with the mouse, as the user does.
    void clickBar(const char* name)
    {
        QMenuBar* bar = m_start->menuBar();
        auto* action = m_start->findChild<QAction*>(QString::fromUtf8(name));
        QVERIFY2(action, name);
        const QRect place = bar->actionGeometry(action);
        QVERIFY2(place.isValid(), name);
        QTest::mouseClick(bar, Qt::LeftButton, {}, place.center());
    }

    Form2* openViewer()
    {
        clickBar("Comentários");
        return viewer();
    }

    // The viewer's invariant: exactly the current page shown, the counter showing it, the left arrow
    // disabled on the first page only and the right arrow on the last page only.
    void checkViewerState(int page)
    {
        Form2* form = viewer();
        QVERIFY(form);
        QCOMPARE(int(form->PáginaActual), page);
        for (int n = 1; n <= 13; ++n)
            QCOMPARE(form->Image1(n)->isVisible(), n == page);
        QCOMPARE(form->Label2->text(), QString::number(page));
        QCOMPARE(form->Label2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        // "Página", the number and "de  13" read as one line, with no overlap, the whole number
        // showing.
        const QRect first = form->Label1->geometry();
        const QRect number = form->Label2->geometry();
        const QRect last = form->Label3->geometry();
        QCOMPARE(number.top(), first.top());
        QCOMPARE(last.top(), first.top());
        QCOMPARE(number.height(), first.height());
        QVERIFY(first.right() < number.left() && number.right() < last.left());
        QVERIFY(number.width() >= QFontMetrics(form->Label2->font()).horizontalAdvance(form->Label2->text()));
        QCOMPARE(form->SetaE->isEnabled(), page != 1);
        QCOMPARE(form->SetaD->isEnabled(), page != 13);
        QVERIFY(form->SetaE->isVisible());
        QVERIFY(form->SetaD->isVisible());
    }

    Form3* m_start = nullptr;
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
