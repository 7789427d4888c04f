// What a test does to the program's windows, reaching their controls by name as a user does.
#include "UserActions.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

void clickBar(QMainWindow* window, const char* name)
{
    auto* action = named<QAction>(window, name);
    QVERIFY2(action, name);
    const QRect place = window->menuBar()->actionGeometry(action);
    QVERIFY2(place.isValid(), name);
    QTest::mouseClick(window->menuBar(), Qt::LeftButton, {}, place.center());
}

void chooseFromFicheiro(QMainWindow* window, const char* name)
{
    auto* ficheiro = named<QMenu>(window, "Ficheiro");
    auto* item = named<QAction>(window, name);
    QVERIFY(ficheiro);
    QVERIFY2(item, name);
    QMenuBar* bar = window->menuBar();
    const QPoint onBar = bar->actionGeometry(ficheiro->menuAction()).center();
    // A drop-down takes a click on an item only from a pointer that moved away from where it was
    // when the drop-down opened: the pointer goes where the user clicks.
    QCursor::setPos(bar->mapToGlobal(onBar));
    QTest::mouseClick(bar, Qt::LeftButton, {}, onBar);
    QTRY_VERIFY_WITH_TIMEOUT(ficheiro->isVisible(), 5000);
    QTest::mouseClick(ficheiro, Qt::LeftButton, {}, ficheiro->actionGeometry(item).center());
}

int paintedPixels(QWidget* widget, QRgb colour)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == (colour | 0xff000000);
    return count;
}

QList<QMainWindow*> shownWindows()
{
    QList<QMainWindow*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<QMainWindow*>(widget); window && window->isVisible())
            windows.append(window);
    return windows;
}

bool activate(QWidget* window)
{
    window->raise();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}
