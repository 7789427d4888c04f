// The program: the start window, from which every other window is reached.
#include "Form.h"
#include "Pictures.h"
#include "Windows.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TrivelasMorvanicas"));
    QApplication::setWindowIcon(platform::cachedIcon(QStringLiteral(":/icons/window.svg")));

    shell::registerWindowKinds();
    platform::Forms::show(platform::FormKind::Form3);
    return app.exec();
}
