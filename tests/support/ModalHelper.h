// Answers the program's message boxes and dialogs from inside their modal loop, as a user does: set
// the answer up first, then do what opens them. Successive expectations answer successive modal
// widgets; one that sees none within its time-out (from the previous answer) is dropped.
#pragma once

#include <QColor>
#include <QDeadlineTimer>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

// What the modal widget showed when it was answered.
struct ModalRecord {
    QString title, text;
    int icon = -1; // QMessageBox::Icon
    QStringList buttons;
    QString directory; // a file dialog's first folder
    QStringList nameFilters;
    QString defaultSuffix;
    QColor initialColor;
};

using ModalAction = std::function<void(QWidget*)>;

class ModalAnswer {
public:
    struct State {
        ModalAction action;
        int timeoutMs;
        QDeadlineTimer deadline{QDeadlineTimer::Forever}; // runs from when it is first in line
        bool answered = false, expired = false;
        ModalRecord record{};
    };
    explicit ModalAnswer(std::shared_ptr<State> state) : m_state(std::move(state)) {}
    bool wait(int timeoutMs = 5000) const; // false if dropped
    bool answered() const { return m_state->answered; }
    const ModalRecord& record() const { return m_state->record; }

private:
    std::shared_ptr<State> m_state;
};

ModalAnswer expectModal(ModalAction action, int timeoutMs = 5000);
void clearModalExpectations(); // in a test's cleanup()

void clickOk(QWidget* modal); // or the dialog's accepting button
void cancel(QWidget* modal);
ModalAction clickButton(const QString& text); // "&Sim" or "Sim"
ModalAction saveAs(const QString& fileName);  // typed in a file dialog
ModalAction pickColor(const QColor& colour);
