// The program: the start window, from which every other window is reached.
#include "MessageBox.h"
#include "Windows.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(platform::applicationTitle());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/window.svg")));

    shell::Windows windows;
    windows.show(shell::FormKind::Form3);
    return app.exec();
}
