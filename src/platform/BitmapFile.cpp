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

namespace {

// Why a file could not be created, told from what the file system shows: the system's own
// texts are not in the user's language.
QString openFailureReason(const QString& path)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return QStringLiteral("a pasta %1 não existe").arg(folder.absoluteFilePath());
    if (!folder.isWritable())
        return QStringLiteral("não tem permissão para escrever na pasta %1").arg(folder.absoluteFilePath());
    if (file.isDir())
        return QStringLiteral("já existe uma pasta com esse nome");
    if (file.exists() && !file.isWritable())
        return QStringLiteral("o ficheiro existente está protegido contra a escrita");
    return QStringLiteral("o sistema recusou a criação do ficheiro");
}

BitmapSaveResult failure(const QString& path, const QString& reason)
{
    return {false, QStringLiteral("O ficheiro %1 não foi guardado: %2.")
                       .arg(QFileInfo(path).fileName(), reason)};
}

} // namespace

BitmapSaveResult saveBitmap(const QImage& image, const QString& path)
{
    const QByteArray bytes = bitmapBytes(image);
    if (bytes.isEmpty())
        return failure(path, QStringLiteral("a imagem é demasiado grande para um mapa de bits"));

    // The bytes go to a temporary file beside the target, which replaces it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, openFailureReason(path));
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return failure(path, QStringLiteral("não foi possível escrever todos os dados (o disco pode estar cheio)"));
    }
    if (!file.commit())
        return failure(path, QStringLiteral("não foi possível terminar a escrita (o disco pode estar cheio)"));
    return {true, {}};
}

QString appPath()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace platform
