// The program's windows: one instance at most per kind, made, shown and unloaded here alone.
#pragma once

#include "Form.h"
#include "WindowNavigator.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

namespace shell {

// The start window Form3, the commentary viewer Form2 and the graph windows Form1, Form4, Form5.
enum class FormKind { Form1, Form2, Form3, Form4, Form5 };

class Windows : public QObject, public graph::WindowNavigator {
public:
    using Factory = std::function<platform::Form*(Windows&)>;
    using Factories = std::array<Factory, 5>; // by FormKind

    // The program's five kinds.
    Windows();
    // Other windows in their place, for trying the rules on their own.
    explicit Windows(Factories factories);
    // Deletes the windows still there.
    ~Windows() override;

    // Creates and loads the instance if there is none, then shows and activates it.
    platform::Form* show(FormKind kind);
    // The instance, or nullptr while the kind is not loaded.
    platform::Form* instance(FormKind kind) const;
    // Discards the instance and all its state; the next show makes a fresh one.
    void unload(FormKind kind);

    void showGraph(graph::GraphKind kind) override;
    void showViewer() override;
    void endProgram() override;

private:
    // Raises the window's Activate unless it was the active one last: coming back to it from a
    // message box, a dialog or another application raises none.
    void activate(platform::Form* form);

    Factories m_factories;
    std::array<QPointer<platform::Form>, 5> m_instances;
    QPointer<platform::Form> m_lastActive;
};

} // namespace shell
