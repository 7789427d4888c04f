#include "ModalHelper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <deque>

namespace {

std::deque<std::shared_ptr<ModalAnswer::State>> pending;
bool inFlight = false; // an answer scheduled: its modal widget is still up
QTimer* poller = nullptr;

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
    while (!pending.empty() && !inFlight) {
        const auto front = pending.front();
        if (front->deadline.isForever())
            front->deadline.setRemainingTime(front->timeoutMs);
        const QPointer<QWidget> modal = QApplication::activeModalWidget();
        const bool up = modal && modal->isVisible();
        if (!up && !front->deadline.hasExpired())
            break;
        pending.pop_front();
        front->expired = !up;
        if (!up)
            continue;
        front->record = recordOf(modal);
        front->answered = inFlight = true;
        // From a fresh call, so that a modal widget the answer opens is answered by this poll.
        QTimer::singleShot(0, poller, [front, modal] {
            inFlight = false;
            if (modal)
                front->action(modal);
        });
    }
    if (pending.empty())
        poller->stop();
}

} // namespace

bool ModalAnswer::wait(int timeoutMs) const
{
    return QTest::qWaitFor([this] { return m_state->answered || m_state->expired; }, timeoutMs)
        && m_state->answered;
}

ModalAnswer expectModal(ModalAction action, int timeoutMs)
{
    auto state = std::make_shared<ModalAnswer::State>(ModalAnswer::State{std::move(action), timeoutMs});
    pending.push_back(state);
    if (!poller) {
        poller = new QTimer(qApp);
        QObject::connect(poller, &QTimer::timeout, poll);
    }
    poller->start(10);
    return ModalAnswer(state);
}

void clearModalExpectations()
{
    for (const auto& state : pending)
        state->expired = true;
    pending.clear();
    inFlight = false;
}

void clickOk(QWidget* modal)
{
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (QAbstractButton* button = box ? box->button(QMessageBox::Ok) : nullptr)
        button->click();
    else if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->accept();
}

void cancel(QWidget* modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
}

ModalAction clickButton(const QString& text)
{
    return [wanted = QString(text).remove(QLatin1Char('&'))](QWidget* modal) {
        for (QAbstractButton* button : modal->findChildren<QAbstractButton*>())
            if (button->isVisible() && QString(button->text()).remove(QLatin1Char('&')) == wanted)
                return button->click();
    };
}

ModalAction saveAs(const QString& fileName)
{
    return [fileName](QWidget* modal) {
        if (auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(fileName);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->accept();
    };
}

ModalAction pickColor(const QColor& colour)
{
    return [colour](QWidget* modal) {
        if (auto* dialog = qobject_cast<QColorDialog*>(modal)) {
            dialog->setCurrentColor(colour);
            dialog->accept();
        }
    };
}
