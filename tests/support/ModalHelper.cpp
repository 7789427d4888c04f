// Answers, from a test, the modal message boxes and dialogs the program opens.
#include "ModalHelper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>

struct ModalAnswer::State {
    ModalAction action;
    int timeoutMs = 5000;
    bool started = false;
    bool answered = false;
    bool expired = false;
    QDeadlineTimer deadline;
    ModalRecord record;
};

namespace {

struct Queue {
    std::deque<std::shared_ptr<ModalAnswer::State>> pending;
    // An answer scheduled and not yet given: the modal widget is still up, not to be answered twice.
    bool inFlight = false;
    QTimer* timer = nullptr;
};

Queue& queue()
{
    static Queue q;
    return q;
}

ModalRecord recordOf(QWidget* modal)
{
    ModalRecord r;
    r.title = modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        r.text = box->text();
        r.icon = int(box->icon());
        for (QAbstractButton* button : box->buttons())
            r.buttons << button->text();
    } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
        r.directory = files->directory().absolutePath();
        r.nameFilters = files->nameFilters();
        r.defaultSuffix = files->defaultSuffix();
    } else if (auto* colours = qobject_cast<QColorDialog*>(modal)) {
        r.initialColor = colours->currentColor();
    }
    return r;
}

void poll()
{
    Queue& q = queue();
    while (!q.pending.empty() && !q.inFlight) {
        const std::shared_ptr<ModalAnswer::State> front = q.pending.front();
        if (!front->started) {
            front->started = true;
            front->deadline = QDeadlineTimer(front->timeoutMs);
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            q.pending.pop_front();
            front->record = recordOf(modal);
            front->answered = true;
            q.inFlight = true;
            // Answered from a fresh call, so that a modal widget opened by the answer itself
            // (a question asked by the dialog) can be answered in turn by this poll.
            QPointer<QWidget> target = modal;
            QTimer::singleShot(0, modal, [front, target] {
                queue().inFlight = false;
                if (target)
                    front->action(target);
            });
            break;
        }
        if (!front->deadline.hasExpired())
            break;
        front->expired = true;
        q.pending.pop_front();
    }
    if (q.pending.empty() && q.timer)
        q.timer->stop();
}

QAbstractButton* buttonWithText(QWidget* modal, const QString& text)
{
    const QString wanted = QString(text).remove(QLatin1Char('&'));
    for (QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && QString(button->text()).remove(QLatin1Char('&')) == wanted)
            return button;
    }
    return nullptr;
}

void acceptDialog(QDialog* dialog)
{
    if (auto* box = dialog->findChild<QDialogButtonBox*>()) {
        for (auto which : {QDialogButtonBox::Ok, QDialogButtonBox::Save, QDialogButtonBox::Open}) {
            QPushButton* button = box->button(which);
            if (button && button->isVisible() && button->isEnabled()) {
                button->click();
                return;
            }
        }
    }
    dialog->accept();
}

} // namespace

bool ModalAnswer::wait(int timeoutMs) const
{
    return QTest::qWaitFor([this] { return m_state->answered || m_state->expired; }, timeoutMs)
        && m_state->answered;
}

bool ModalAnswer::answered() const
{
    return m_state->answered;
}

const ModalRecord& ModalAnswer::record() const
{
    return m_state->record;
}

ModalAnswer expectModal(ModalAction action, int timeoutMs)
{
    auto state = std::make_shared<ModalAnswer::State>();
    state->action = std::move(action);
    state->timeoutMs = timeoutMs;
    Queue& q = queue();
    q.pending.push_back(state);
    if (!q.timer) {
        q.timer = new QTimer(qApp);
        q.timer->setInterval(10);
        QObject::connect(q.timer, &QTimer::timeout, poll);
    }
    q.timer->start();
    return ModalAnswer(state);
}

void clearModalExpectations()
{
    Queue& q = queue();
    for (const auto& state : q.pending)
        state->expired = true;
    q.pending.clear();
    q.inFlight = false;
    if (q.timer)
        q.timer->stop();
}

void clickOk(QWidget* modal)
{
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (QAbstractButton* button = box ? box->button(QMessageBox::Ok) : nullptr)
        button->click();
    else if (auto* dialog = qobject_cast<QDialog*>(modal))
        acceptDialog(dialog);
}

void cancel(QWidget* modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
}

ModalAction clickButton(const QString& text)
{
    return [text](QWidget* modal) {
        if (QAbstractButton* button = buttonWithText(modal, text))
            button->click();
    };
}

ModalAction saveAs(const QString& fileName)
{
    return [fileName](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return;
        if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(fileName);
        else
            dialog->selectFile(fileName);
        acceptDialog(dialog);
    };
}

ModalAction pickColor(const QColor& colour)
{
    return [colour](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        if (!dialog)
            return;
        dialog->setCurrentColor(colour);
        acceptDialog(dialog);
    };
}
