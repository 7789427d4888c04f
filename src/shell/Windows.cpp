// The program's windows: one instance at most per kind, made, shown and unloaded here alone.
#include "Windows.h"

#include "Form1.h"
#include "Form2.h"
#include "Form3.h"
#include "Form4.h"
#include "Form5.h"

#include <QCoreApplication>

namespace shell {

namespace {

std::size_t slot(FormKind kind)
{
    return std::size_t(kind);
}

} // namespace

Windows::Windows()
    : Windows(Factories{
        [](Windows& w) { return new Form1(w); },
        [](Windows&) { return new Form2; },
        [](Windows& w) { return new Form3(w); },
        [](Windows& w) { return new Form4(w); },
        [](Windows& w) { return new Form5(w); },
    })
{
}

Windows::Windows(Factories factories) : m_factories(std::move(factories)) {}

Windows::~Windows()
{
    for (const QPointer<platform::Form>& form : m_instances)
        delete form;
}

platform::Form* Windows::show(FormKind kind)
{
    QPointer<platform::Form>& instance = m_instances[slot(kind)];
    QPointer<platform::Form> form = instance;
    const bool fresh = form.isNull();
    if (fresh) {
        const Factory& make = m_factories[slot(kind)];
        form = make ? make(*this) : nullptr;
        if (!form)
            return nullptr;
        instance = form;
        // Closed by whatever means, it is unloaded: the reference goes at once.
        connect(form, &platform::Form::unloading, this, [&instance, f = form.data()] {
            if (instance == f)
                instance = nullptr;
        });
        connect(form, &platform::Form::becameActive, this, [this, f = form.data()] { activate(f); });
        form->load();
        // Its load handling may have unloaded it again.
        if (form.isNull() || instance != form)
            return form;
    }
    form->show();
    form->raise();
    form->activateWindow();
    // The first showing is an activation, whether or not the window system has made it one yet.
    if (fresh && !form.isNull())
        activate(form);
    return form;
}

void Windows::activate(platform::Form* form)
{
    if (m_lastActive == form)
        return;
    m_lastActive = form;
    form->Form_Activate();
}

platform::Form* Windows::instance(FormKind kind) const
{
    return m_instances[slot(kind)];
}

void Windows::unload(FormKind kind)
{
    // Deleted once control is back in the event loop: the unload may come from its own handler.
    if (platform::Form* form = instance(kind))
        form->close();
}

void Windows::showGraph(graph::GraphKind kind)
{
    switch (kind) {
    case graph::GraphKind::Weierstrass1: show(FormKind::Form1); break;
    case graph::GraphKind::Weierstrass2: show(FormKind::Form4); break;
    case graph::GraphKind::Takagi: show(FormKind::Form5); break;
    }
}

void Windows::showViewer()
{
    show(FormKind::Form2);
}

void Windows::endProgram()
{
    for (QPointer<platform::Form>& form : m_instances) {
        if (platform::Form* f = form) {
            form = nullptr;
            f->hide();
            f->deleteLater();
        }
    }
    QCoreApplication::quit();
}

} // namespace shell
