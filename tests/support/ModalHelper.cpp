#include "ModalHelper.h"

#include "References.h"

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
#include <utility>
#include <vector>

namespace {

using State = ModalAnswer::State;

std::deque<std::shared_ptr<State>> pending;
std::vector<std::shared_ptr<State>> setUp; // by this test, answered or not
bool inFlight = false;                      // an answer scheduled: its modal widget is still up
const State* answering = nullptr;           // whose action runs now
QTimer* poller = nullptr;

ModalRecord recordOf(QWidget* modal)
{
    ModalRecord r;
    r.title = modal->windowTitle();
    r.description = describe(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        r.text = box->text();
        r.icon = int(box->icon());
        for (QAbstractButton* button : box->buttons())
            r.buttons << button->text();
    }
    return r;
}

// Reported at the line of the test that set the answer up (the last one set up if none applies).
void fail(const QString& message, const State* at)
{
    at = at ? at : setUp.empty() ? nullptr : setUp.back().get();
    QTest::qFail(qPrintable(message), at ? at->where.file_name() : "", at ? int(at->where.line()) : 0);
}

// Fails the test and closes the modal widget, so that the test goes on instead of hanging in it.
void miss(QWidget* modal, const QString& why, const State* at = answering)
{
    const auto* box = qobject_cast<QMessageBox*>(modal);
    fail(QStringLiteral("%1; it met %2 \"%3\"%4")
             .arg(why, QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle(),
                  box ? QStringLiteral(": ") + box->text() : QString()),
         at);
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

void poll()
{
    const QPointer<QWidget> modal = QApplication::activeModalWidget();
    if (inFlight || !modal || !modal->isVisible())
        return;
    if (pending.empty() || pending.front()->forbids)
        return miss(modal, QStringLiteral("No message box nor dialog was expected"),
                    pending.empty() ? nullptr : pending.front().get());
    const auto front = pending.front();
    pending.pop_front();
    front->record = recordOf(modal);
    front->answered = inFlight = true;
    // From a fresh call, so that a modal widget the answer opens is answered by this poll.
    QTimer::singleShot(0, poller, [front, modal] {
        inFlight = false;
        if (!modal)
            return fail(QStringLiteral("The modal widget went before it was answered"), front.get());
        const State* outer = std::exchange(answering, front.get());
        front->action(modal);
        answering = outer;
    });
}

void enqueue(std::shared_ptr<State> state)
{
    // A "no modal widget now" ends where the test expects one again.
    while (!pending.empty() && pending.back()->forbids)
        pending.pop_back();
    pending.push_back(state);
    setUp.push_back(std::move(state));
    if (!poller) {
        poller = new QTimer(qApp);
        QObject::connect(poller, &QTimer::timeout, poll);
    }
    poller->start(10);
}

} // namespace

ModalAnswer expectModal(ModalAction action, std::source_location where)
{
    auto state = std::make_shared<State>(State{std::move(action), where});
    enqueue(state);
    return ModalAnswer(state);
}

void expectNoModal(std::source_location where)
{
    enqueue(std::make_shared<State>(State{{}, where, true}));
}

void checkModalExpectations()
{
    if (poller)
        poller->stop();
    for (const auto& state : setUp)
        if (!state->forbids && !state->answered)
            fail(QStringLiteral("No message box nor dialog came for the answer set up here"), state.get());
    setUp.clear();
    pending.clear();
    inFlight = false;
}

void clickOk(QWidget* modal)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            return ok->click();
        return miss(modal, QStringLiteral("OK was to be clicked, but the box has no OK button"));
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        return dialog->accept();
    miss(modal, QStringLiteral("OK was to be clicked, but this is no dialog"));
}

void cancel(QWidget* modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        return dialog->reject();
    miss(modal, QStringLiteral("A dialog was to be cancelled"));
}

void pressEnter(QWidget* modal)
{
    QTest::keyClick(modal, Qt::Key_Return);
}

ModalAction clickButton(const QString& text)
{
    return [wanted = QString(text).remove(QLatin1Char('&'))](QWidget* modal) {
        for (QAbstractButton* button : modal->findChildren<QAbstractButton*>())
            if (button->isVisible() && QString(button->text()).remove(QLatin1Char('&')) == wanted)
                return button->click();
        miss(modal, QStringLiteral("\"%1\" was to be clicked, but no visible button says so").arg(wanted));
    };
}

ModalAction saveAs(const QString& fileName)
{
    return [fileName](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!dialog || !edit)
            return miss(modal, QStringLiteral("%1 was to be typed in a file dialog").arg(fileName));
        edit->setText(fileName);
        static_cast<QDialog*>(dialog)->accept();
    };
}

ModalAction pickColor(const QColor& colour)
{
    return [colour](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        if (!dialog)
            return miss(modal, QStringLiteral("%1 was to be picked in a colour dialog").arg(colour.name()));
        dialog->setCurrentColor(colour);
        dialog->accept();
    };
}
