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
    QVERIFY2(action && window->menuBar()->actionGeometry(action).isValid(), name);
    QTest::mouseClick(window->menuBar(), Qt::LeftButton, {}, window->menuBar()->actionGeometry(action).center());
}

void chooseFromFicheiro(QMainWindow* window, const char* name)
{
    auto* ficheiro = named<QMenu>(window, "Ficheiro");
    auto* item = named<QAction>(window, name);
    QVERIFY2(ficheiro && item, name);
    QMenuBar* bar = window->menuBar();
    const QPoint onBar = bar->actionGeometry(ficheiro->menuAction()).center();
    // A drop-down takes a click on an item only from a pointer that moved since it opened.
    QCursor::setPos(bar->mapToGlobal(onBar));
    QTest::mouseClick(bar, Qt::LeftButton, {}, onBar);
    QTRY_VERIFY(ficheiro->isVisible());
    QTest::mouseClick(ficheiro, Qt::LeftButton, {}, ficheiro->actionGeometry(item).center());
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
