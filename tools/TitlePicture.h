// The start window's title picture, drawn as a graph window draws: graduated axes and three
// partial sums of the second Weierstrass series.
#pragma once

#include <QImage>

namespace titlepicture {

constexpr int side = 567; // pixels

// The picture, side x side pixels, or a null image if the drawing failed. Its numbers are written
// the Portuguese way ("0,1") whatever the default locale is, so the picture comes out the same on
// every machine with the same fonts. Needs a QApplication.
QImage draw();

} // namespace titlepicture
