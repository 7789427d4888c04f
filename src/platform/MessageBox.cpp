// The program's modal message box.
#include "MessageBox.h"

#include "ProgramTexts.h"

#include <QMessageBox>

namespace platform {

QString applicationTitle()
{
    return QStringLiteral("TrivelasMorvanicas");
}

void MsgBox(QWidget* parent, const QString& text, int style, const QString& title)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0x70) {
    case 16: icon = QMessageBox::Critical; break;
    case 32: icon = QMessageBox::Question; break;
    case MsgBoxExclamation: icon = QMessageBox::Warning; break;
    case MsgBoxInformation: icon = QMessageBox::Information; break;
    default: break;
    }
    installProgramTexts();
    QMessageBox box(icon, title.isEmpty() ? applicationTitle() : title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace platform
