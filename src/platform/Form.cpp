// A top-level window of the program, with its load and activate events.
#include "Form.h"

#include "ProgramTexts.h"

#include <QCloseEvent>
#include <QPointer>
#include <QShowEvent>

namespace platform {

namespace {

// The program window that was active last: coming back to it raises no Activate.
QPointer<Form>& lastActive()
{
    static QPointer<Form> form;
    return form;
}

} // namespace

Form::Form(QWidget* parent) : QMainWindow(parent)
{
    installProgramTexts();
    setAttribute(Qt::WA_DeleteOnClose);
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void Form::activated()
{
    if (lastActive() == this)
        return;
    lastActive() = this;
    Form_Activate();
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
        activated();
}

void Form::closeEvent(QCloseEvent* event)
{
    // Whoever holds it drops it now; the widget deletes itself once back in the event loop.
    emit unloading();
    event->accept();
}

} // namespace platform
