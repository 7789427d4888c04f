// Answers, from a test, the modal message boxes and dialogs the program opens: set up the answer
// first, then do what opens the modal widget; the answer is given from inside its modal loop, as
// a user would. Several expectations answer successive modal widgets in the order they were made
// (a dialog, then the message box it leads to, then the dialog again). An expectation that sees no
// modal widget within its time-out is dropped (wait() returns false), so that it cannot answer a
// later one. Call clearModalExpectations() in a test's cleanup().
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

// What the modal widget showed when it was answered.
struct ModalRecord {
    QString title;
    QString text;        // a message box's
    int icon = -1;       // QMessageBox::Icon of a message box
    QStringList buttons; // texts of a message box's buttons
    QString directory;   // folder first shown by a file dialog
    QStringList nameFilters;
    QString defaultSuffix;
    QColor initialColor; // colour a colour dialog started from
};

using ModalAction = std::function<void(QWidget*)>;

class ModalAnswer {
public:
    struct State;
    explicit ModalAnswer(std::shared_ptr<State> state) : m_state(std::move(state)) {}

    // Processes events until the modal widget was answered or the time-out passed.
    bool wait(int timeoutMs = 5000) const;
    bool answered() const;
    const ModalRecord& record() const;

private:
    std::shared_ptr<State> m_state;
};

// Answers the next modal widget with `action`, waiting for it at most `timeoutMs` from the moment
// the previous expectation was answered (or from now, for the first one).
ModalAnswer expectModal(ModalAction action, int timeoutMs = 5000);
void clearModalExpectations();

void clickOk(QWidget* modal);                 // the OK (or default) button; accepts a dialog
void cancel(QWidget* modal);                  // Cancel / reject
ModalAction clickButton(const QString& text); // the button with this text ("&Sim" or "Sim")
ModalAction saveAs(const QString& fileName);  // types the name in a file dialog and accepts
ModalAction pickColor(const QColor& colour);  // chooses the colour in a colour dialog, OK
