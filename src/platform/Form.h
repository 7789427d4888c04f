// The program's windows: the base of the five window kinds and the one reference per kind.
#pragma once

#include <QMainWindow>

#include <functional>

namespace platform {

enum class FormKind { Form1, Form2, Form3, Form4, Form5 };

// A top-level window of the program. Form_Load runs once per instance, before its first showing;
// Form_Activate whenever it becomes the active window coming from another of the program's
// windows (and on its first showing), not when the user comes back from another application nor
// when one of the program's message boxes or dialogs closes. Closing it by its close box unloads it.
class Form : public QMainWindow {
    Q_OBJECT

public:
    explicit Form(FormKind kind, QWidget* parent = nullptr);
    ~Form() override;

    FormKind kind() const { return m_kind; }
    bool isLoaded() const { return m_loaded; }

    virtual void Form_Load() {}
    virtual void Form_Activate() {}

    // 11: hourglass; 0: the default pointer.
    void setMousePointer(int shape);
    int MousePointer() const { return m_mousePointer; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class Forms;
    void ensureLoaded();

    FormKind m_kind;
    bool m_loaded = false;
    int m_mousePointer = 0;
};

// The one program-wide reference per window kind. A kind is made by the factory registered for
// it; showing a kind without instance creates and loads one within the same call.
class Forms {
public:
    using Factory = std::function<Form*()>;

    static void registerKind(FormKind kind, Factory factory);

    // Creates and loads the instance if there is none, then shows and activates it.
    static Form* show(FormKind kind);
    // The instance, or nullptr while the kind is not loaded.
    static Form* instance(FormKind kind);
    // Discards the instance and all its state; the next show makes a fresh one.
    static void unload(FormKind kind);
    static void unload(Form* form);
    // Closes every window at once, with no closing handling and no question, and quits.
    static void endProgram();

    // Typed helpers for window classes that declare `static constexpr FormKind Kind`.
    template <class T>
    static T* show()
    {
        if (!hasFactory(T::Kind))
            registerKind(T::Kind, [] { return new T; });
        return static_cast<T*>(show(T::Kind));
    }
    template <class T>
    static T* instance()
    {
        return static_cast<T*>(instance(T::Kind));
    }

    static bool hasFactory(FormKind kind);

private:
    friend class Form;
    static void forget(Form* form);
    static void activated(Form* form);
};

} // namespace platform
