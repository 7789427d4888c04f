#include "Program.h"

#include "Form.h"
#include "MessageBox.h"
#include "Windows.h"

#include <QApplication>

namespace shell {

int runProgram()
{
    QApplication::setApplicationName(platform::applicationTitle());
    QApplication::setWindowIcon(platform::programIcon()); // for its dialogs too

    Windows windows;
    windows.show(FormKind::Form3);
    return QApplication::exec();
}

} // namespace shell
