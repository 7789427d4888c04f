// A top-level window of the program, with its load and activate events.
#include "Form.h"

#include "ProgramTexts.h"

#include <QCloseEvent>
#include <QShowEvent>

namespace platform {

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/icons/window.svg"));
}

Form::Form(QWidget* parent) : QMainWindow(parent)
{
    installProgramTexts();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(programIcon());
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void Form::setMousePointer(MousePointer pointer)
{
    if (pointer == MousePointer::Hourglass)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void Form::showEvent(QShowEvent* event)
{
    load();
    QMainWindow::showEvent(event);
}

void Form::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit becameActive();
}

void Form::closeEvent(QCloseEvent* event)
{
    // Whoever holds it drops it now; the widget deletes itself once back in the event loop.
    emit unloading();
    event->accept();
}

} // namespace platform
