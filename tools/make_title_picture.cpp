// Writes the start window's title picture as a 24-bit bitmap file: into the source tree's
// resources/pictures/titulo.bmp, or to the path given as the one argument.
#include "TitlePicture.h"

#include "BitmapFile.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // Draws without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);

    const QStringList args = QApplication::arguments();
    if (args.size() > 2) {
        err << "uso: make-title-picture [ficheiro.bmp]\n";
        return 2;
    }
    const QString path = args.size() == 2 ? args.at(1) : QStringLiteral(TRIVELAS_TITLE_PICTURE);

    const QImage picture = titlepicture::draw();
    if (picture.isNull()) {
        err << "a imagem não foi desenhada\n";
        return 1;
    }
    const platform::BitmapSaveResult saved = platform::saveBitmap(picture, path);
    if (!saved.ok) {
        err << path << ": " << saved.reason << '\n';
        return 1;
    }
    QTextStream(stdout) << path << '\n';
    return 0;
}
