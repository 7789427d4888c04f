// The system clipboard, as the drawing commands use it.
#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace platform {

void clipboardClear()
{
    QGuiApplication::clipboard()->clear();
}

void clipboardSetImage(const QImage& image)
{
    QGuiApplication::clipboard()->setImage(image.copy());
}

} // namespace platform
