// Writing a picture as a 24-bit bitmap file, and the program's own folder.
#include "BitmapFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

#include <limits>

namespace platform {

namespace {

void putLittleEndian(char* at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = char((value >> (8 * i)) & 0xff);
}

// 96 dots per inch, in dots per metre.
constexpr quint32 dotsPerMetre = 3780;

} // namespace

QByteArray bitmapBytes(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const qint64 width = rgb.width();
    const qint64 height = rgb.height();
    const qint64 rowBytes = (width * 3 + 3) / 4 * 4;
    const qint64 pixelBytes = rowBytes * height;
    constexpr int headerBytes = 14 + 40;
    if (headerBytes + pixelBytes > std::numeric_limits<qint32>::max())
        return {};

    QByteArray out(int(headerBytes + pixelBytes), '\0');
    char* p = out.data();
    // File header.
    p[0] = 'B';
    p[1] = 'M';
    putLittleEndian(p + 2, quint32(out.size()), 4);
    putLittleEndian(p + 10, headerBytes, 4);
    // Information header.
    char* info = p + 14;
    putLittleEndian(info + 0, 40, 4);
    putLittleEndian(info + 4, quint32(width), 4);
    putLittleEndian(info + 8, quint32(height), 4); // positive: rows stored bottom-up
    putLittleEndian(info + 12, 1, 2); // planes
    putLittleEndian(info + 14, 24, 2); // bits per pixel
    putLittleEndian(info + 16, 0, 4); // no compression
    putLittleEndian(info + 20, quint32(pixelBytes), 4);
    putLittleEndian(info + 24, dotsPerMetre, 4);
    putLittleEndian(info + 28, dotsPerMetre, 4);

    char* row = p + headerBytes;
    for (qint64 y = height - 1; y >= 0; --y, row += rowBytes) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(int(y)));
        for (qint64 x = 0; x < width; ++x) {
            row[3 * x + 0] = char(qBlue(line[x]));
            row[3 * x + 1] = char(qGreen(line[x]));
            row[3 * x + 2] = char(qRed(line[x]));
        }
    }
    return out;
}

BitmapSaveResult saveBitmap(const QImage& image, const QString& path)
{
    const QByteArray bytes = bitmapBytes(image);
    if (bytes.isEmpty())
        return {false, QStringLiteral("A imagem é demasiado grande para um ficheiro de mapa de bits.")};

    // The bytes go to a temporary file beside the target, which replaces it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {false, QStringLiteral("Não foi possível criar o ficheiro %1 (%2).")
                           .arg(QFileInfo(path).fileName(), file.errorString())};
    }
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return {false, QStringLiteral("Não foi possível escrever o ficheiro %1 (%2).")
                           .arg(QFileInfo(path).fileName(), why)};
    }
    if (!file.commit()) {
        return {false, QStringLiteral("Não foi possível guardar o ficheiro %1 (%2).")
                           .arg(QFileInfo(path).fileName(), file.errorString())};
    }
    return {true, {}};
}

QString appPath()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace platform
