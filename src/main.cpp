// The program: the start window, from which every other window is reached.
#include "Form.h"
#include "MessageBox.h"
#include "Windows.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(platform::applicationTitle());
    QApplication::setWindowIcon(platform::programIcon()); // for its dialogs too

    shell::Windows windows;
    windows.show(shell::FormKind::Form3);
    return app.exec();
}
