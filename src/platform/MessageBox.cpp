// The program's modal message box.
#include "MessageBox.h"

#include "ProgramTexts.h"
#include "RuntimeError.h"

#include <QMessageBox>

namespace platform {

QString applicationTitle()
{
    return QString::fromUtf8(runtime::ProgramName);
}

void MsgBox(QWidget* parent, const QString& text, MsgBoxStyle style, const QString& title)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style) {
    case MsgBoxPlain: break;
    case MsgBoxExclamation: icon = QMessageBox::Warning; break;
    case MsgBoxInformation: icon = QMessageBox::Information; break;
    }
    installProgramTexts();
    QMessageBox box(icon, title.isEmpty() ? applicationTitle() : title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace platform
