// The program: the start window, from which every other window is reached.
#include "Form.h"
#include "Windows.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TrivelasMorvanicas"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/window.svg")));

    shell::registerWindowKinds();
    platform::Forms::show(platform::FormKind::Form3);
    return app.exec();
}
