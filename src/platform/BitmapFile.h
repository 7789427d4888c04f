// Writing a picture as a 24-bit bitmap file, and the program's own folder.
#pragma once

#include <QString>

class QImage;

namespace platform {

struct BitmapSaveResult {
    bool ok = false;
    QString reason; // when not ok: why, in words fit for a message to the user
};

// Writes the image to `path` as a 24-bit bitmap file, replacing a file of that name. The new file
// takes the old one's place only once it is written whole: a failure leaves no partial file and
// the old one intact.
BitmapSaveResult saveBitmap(const QImage& image, const QString& path);

// The folder that holds the program's executable.
QString appPath();

} // namespace platform
