// A top-level window of the program, with its load and activate events.
#pragma once

#include <QIcon>
#include <QMainWindow>

namespace platform {

// The icon of every window of the program.
QIcon programIcon();

// Form_Load runs once per instance, before its first showing. Form_Activate is raised by whoever
// keeps the program's windows, which alone knows where the user comes from: when the window
// becomes the active one coming from another of the program's windows (and on its first
// showing), not when the user comes back from another application nor when one of the program's
// message boxes or dialogs closes. It bears the program's icon. Closing it, by its close box or
// otherwise, unloads it: it tells so with unloading(), then deletes itself.
class Form : public QMainWindow {
    Q_OBJECT

public:
    enum class MousePointer { Default, Hourglass };

    explicit Form(QWidget* parent = nullptr);

    virtual void Form_Load() {}
    virtual void Form_Activate() {}

    // Runs Form_Load unless it ran already; a window shown before it was loaded loads then.
    void load();

    void setMousePointer(MousePointer pointer);

signals:
    // The window system made it the active window.
    void becameActive();
    void unloading();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_loaded = false;
};

} // namespace platform
