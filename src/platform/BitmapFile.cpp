// Writing a picture as a 24-bit bitmap file, and the program's own folder.
#include "BitmapFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

namespace platform {

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

// 96 dots per inch, in dots per metre.
constexpr int dotsPerMetre = 3780;

} // namespace

BitmapSaveResult saveBitmap(const QImage& image, const QString& path)
{
    // Without alpha, Qt writes 24 bits per pixel; 96 dots per inch whatever the screen's.
    QImage picture = image.convertToFormat(QImage::Format_RGB32);
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);

    // The bytes go to a temporary file beside the target, which replaces it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, openFailureReason(path));
    // The last bytes wait in the file's buffer, and a commit that fails to write them still
    // replaces the old file: they are flushed, and checked, first.
    if (!picture.save(&file, "BMP") || !file.flush()) {
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
