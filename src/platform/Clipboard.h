// The system clipboard, as the drawing commands use it.
#pragma once

class QImage;

namespace platform {

void clipboardClear();
// Puts a copy of the image on the clipboard as a bitmap.
void clipboardSetImage(const QImage& image);

} // namespace platform
