// Answers the program's message boxes and dialogs from inside their modal loop, as a user does: set
// the answer up first, then do what opens them. Successive expectations answer successive modal
// widgets.
//
// Nothing passes by accident: an answer that cannot do what it says (no such button, a dialog of
// another kind) fails the test where it meets its modal widget and closes it; once a test has set
// up an answer or expectNoModal(), a modal widget that no answer waits for fails the test and is
// closed; and checkModalExpectations(), in each test's cleanup(), fails the test for every
// expectation that no modal widget met.
#pragma once

#include <QColor>
#include <QStringList>

#include <functional>
#include <memory>
#include <source_location>

class QWidget;

// What the modal widget showed when it was answered.
struct ModalRecord {
    QString title, text;
    int icon = -1; // QMessageBox::Icon
    QStringList buttons;
    QString description; // all it showed, as References.h describes it
};

using ModalAction = std::function<void(QWidget*)>;

class ModalAnswer {
public:
    struct State {
        ModalAction action;
        std::source_location where; // where the test set it up
        bool forbids = false;       // stands for "no modal widget now"
        bool answered = false;
        ModalRecord record{};
    };
    explicit ModalAnswer(std::shared_ptr<State> state) : m_state(std::move(state)) {}
    bool answered() const { return m_state->answered; }
    const ModalRecord& record() const { return m_state->record; }

private:
    std::shared_ptr<State> m_state;
};

ModalAnswer expectModal(ModalAction action, std::source_location where = std::source_location::current());
// No modal widget may come until the next expectModal(): one that does fails the test and is closed.
void expectNoModal(std::source_location where = std::source_location::current());
// In a test's cleanup(): fails the test for each expectation that no modal widget met, then
// forgets them all.
void checkModalExpectations();

// The answers. Each fails the test, and closes its modal widget, when it cannot do what it says.
void clickOk(QWidget* modal); // a message box's OK, or any other dialog's accepting
void cancel(QWidget* modal);  // a dialog's rejecting
void pressEnter(QWidget* modal); // the key, as a user presses it
ModalAction clickButton(const QString& text); // "&Sim" or "Sim", a visible button of that text
ModalAction saveAs(const QString& fileName);  // typed in a file dialog
ModalAction pickColor(const QColor& colour);  // in a colour dialog
