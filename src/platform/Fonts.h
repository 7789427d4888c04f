// The fonts the windows name, mapped onto fonts installed with the program.
#pragma once

#include <QFont>
#include <QString>

namespace platform {

// Pixel height of a font of the given point size, at the logical 96 dots per inch the layouts
// are drawn for (8.25 pt = 11 px, 6 pt = 8 px, 24 pt = 32 px).
int fontPixelSize(double pointSize);

// The installed font that stands for `name` ("MS Sans Serif", "MS Serif", "symbol",
// "Comic Sans MS", "Arial", "Agency FB"; any other name gets the sans-serif default).
// The size is set in pixels, so offscreen and on-screen drawings agree whatever DPI is reported.
QFont mappedFont(const QString& name, double pointSize, bool bold);

// True for the font whose letters stand for Greek letters and symbols ("symbol", any case).
bool isSymbolFont(const QString& name);

// Text written in the symbol font, as the Unicode characters it shows ("p" becomes "π").
QString symbolText(const QString& text);

} // namespace platform
