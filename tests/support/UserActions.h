// What a test does to the program's windows, reaching their controls by name as a user does.
#pragma once

#include <QList>
#include <QObject>

class QMainWindow;
class QWidget;

// The descendant of that objectName and type, or nullptr; found also for types without a
// meta-object of their own (the drawing surface).
template <class T>
T* named(const QObject* parent, const char* name)
{
    for (QObject* child : parent->findChildren<QObject*>(QString::fromUtf8(name)))
        if (auto* found = dynamic_cast<T*>(child))
            return found;
    return nullptr;
}

void clickBar(QMainWindow* window, const char* name);           // an entry of the menu bar
void chooseFromFicheiro(QMainWindow* window, const char* name); // an item of the "Ficheiro" menu
QList<QMainWindow*> shownWindows();
bool activate(QWidget* window); // as a click on it does
