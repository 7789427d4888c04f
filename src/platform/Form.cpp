// The program's windows: the base of the five window kinds and the one reference per kind.
#include "Form.h"

#include "ProgramTexts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QShowEvent>

#include <array>

namespace platform {

namespace {

constexpr int kindCount = 5;

struct Registry {
    std::array<Forms::Factory, kindCount> factories;
    std::array<QPointer<Form>, kindCount> instances;
    // The Form that was active last: coming back to it raises no Activate.
    QPointer<Form> lastActive;
};

Registry& registry()
{
    static Registry r;
    return r;
}

int slot(FormKind kind)
{
    return int(kind);
}

} // namespace

Form::Form(FormKind kind, QWidget* parent) : QMainWindow(parent), m_kind(kind)
{
    installProgramTexts();
    setAttribute(Qt::WA_DeleteOnClose);
}

Form::~Form()
{
    Forms::forget(this);
}

void Form::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void Form::setMousePointer(int shape)
{
    m_mousePointer = shape;
    if (shape == 11)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void Form::showEvent(QShowEvent* event)
{
    // A window shown other than through Forms::show still loads before it appears.
    ensureLoaded();
    QMainWindow::showEvent(event);
}

void Form::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Forms::activated(this);
}

void Form::closeEvent(QCloseEvent* event)
{
    // The close box unloads: the reference is cleared now, the widget deletes itself.
    Forms::forget(this);
    event->accept();
}

void Forms::registerKind(FormKind kind, Factory factory)
{
    registry().factories[slot(kind)] = std::move(factory);
}

bool Forms::hasFactory(FormKind kind)
{
    return bool(registry().factories[slot(kind)]);
}

Form* Forms::show(FormKind kind)
{
    Registry& r = registry();
    QPointer<Form> form = r.instances[slot(kind)];
    const bool fresh = form.isNull();
    if (fresh) {
        const Factory& make = r.factories[slot(kind)];
        if (!make)
            return nullptr;
        form = make();
        if (!form)
            return nullptr;
        r.instances[slot(kind)] = form;
        form->ensureLoaded();
        // Its load handling may have unloaded it again.
        if (form.isNull() || r.instances[slot(kind)] != form)
            return form;
    }
    form->show();
    form->raise();
    form->activateWindow();
    // The first showing raises Activate whether or not the window system has activated it yet.
    if (fresh && !form.isNull())
        activated(form);
    return form;
}

Form* Forms::instance(FormKind kind)
{
    return registry().instances[slot(kind)];
}

void Forms::unload(FormKind kind)
{
    if (Form* form = instance(kind))
        unload(form);
}

void Forms::unload(Form* form)
{
    if (!form)
        return;
    forget(form);
    // Deleted once control is back in the event loop: the unload may come from its own handler.
    form->close();
}

void Forms::endProgram()
{
    Registry& r = registry();
    r.lastActive = nullptr;
    for (QPointer<Form>& form : r.instances) {
        if (Form* f = form) {
            form = nullptr;
            f->hide();
            f->deleteLater();
        }
    }
    QCoreApplication::quit();
}

void Forms::forget(Form* form)
{
    Registry& r = registry();
    for (QPointer<Form>& instance : r.instances) {
        if (instance == form)
            instance = nullptr;
    }
}

void Forms::activated(Form* form)
{
    Registry& r = registry();
    if (r.lastActive == form)
        return;
    r.lastActive = form;
    form->Form_Activate();
}

} // namespace platform
