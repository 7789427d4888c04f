// The program: the start window, from which every other window is reached.
#include "Program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return shell::runProgram();
}
