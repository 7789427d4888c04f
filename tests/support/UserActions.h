// What a test does to the program's windows, reaching their controls by name as a user does.
#pragma once

#include <QList>
#include <QObject>
#include <QRgb>
#include <QString>

class QMainWindow;
class QWidget;

// The descendant of that objectName and type, or nullptr; types without a meta-object of their
// own (the drawing surface) are found too.
template <class T>
T* named(const QObject* parent, const char* name)
{
    for (QObject* child : parent->findChildren<QObject*>(QString::fromUtf8(name)))
        if (auto* found = dynamic_cast<T*>(child))
            return found;
    return nullptr;
}

// Chooses an entry of a window's menu bar with the mouse.
void clickBar(QMainWindow* window, const char* name);
// Opens the "Ficheiro" drop-down of a window's menu bar and clicks one of its items.
void chooseFromFicheiro(QMainWindow* window, const char* name);
// The program's windows on the screen now.
QList<QMainWindow*> shownWindows();
// Makes a window the active one, as a click on it does.
bool activate(QWidget* window);
// The number of pixels of exactly this colour in a widget as it paints itself.
int paintedPixels(QWidget* widget, QRgb colour);
