// Colour chooser and save-file dialog, one object per use in a window.
#include "CommonDialog.h"

#include "MessageBox.h"
#include "ProgramTexts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace platform {

namespace {

// "desc|*.a;*.b|desc2|*.c" as the file dialog's filters "desc (*.a *.b)", "desc2 (*.c)".
QStringList nameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        const QString shown = QLatin1Char('(') + patterns + QLatin1Char(')');
        out << (description.endsWith(shown) ? description : description + QLatin1Char(' ') + shown);
    }
    return out;
}

// The save dialog, with the checks of the flags it was given made before it closes.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* parent, int flags) : QFileDialog(parent), m_flags(flags) {}

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (files.isEmpty()) {
            QFileDialog::accept();
            return;
        }
        const QFileInfo chosen(files.first());
        if (chosen.isDir()) {
            QFileDialog::accept(); // opens the folder, as typing its name does
            return;
        }
        if ((m_flags & CommonDialog::FlagPathMustExist) && !QFileInfo(chosen.absolutePath()).isDir()) {
            MsgBox(this,
                   QStringLiteral("%1\nO caminho não existe.\nVerifique se o caminho indicado está correcto.")
                       .arg(chosen.filePath()),
                   MsgBoxExclamation, windowTitle());
            return;
        }
        if ((m_flags & CommonDialog::FlagAskReplace) && chosen.exists()) {
            QMessageBox question(QMessageBox::Warning, windowTitle(),
                                 QStringLiteral("%1 já existe.\nDeseja substituí-lo?").arg(chosen.fileName()),
                                 QMessageBox::Yes | QMessageBox::No, this);
            question.setTextFormat(Qt::PlainText);
            question.setDefaultButton(QMessageBox::No);
            if (question.exec() != QMessageBox::Yes)
                return;
        }
        QFileDialog::accept();
    }

private:
    int m_flags;
};

} // namespace

void CommonDialog::setColor(QRgb color)
{
    m_color = color | 0xff000000;
}

void CommonDialog::ShowColor(QWidget* parent)
{
    installProgramTexts();
    QColorDialog dialog(QColor::fromRgb(m_color), parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QStringLiteral("Cor"));
    if (dialog.exec() == QDialog::Accepted)
        setColor(dialog.selectedColor().rgb());
}

void CommonDialog::ShowSave(QWidget* parent)
{
    installProgramTexts();
    SaveDialog dialog(parent, m_flags);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Replacing is asked by the dialog itself, in the program's language.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowTitle(QStringLiteral("Guardar como"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Guardar em:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nome do ficheiro:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Guardar com o tipo:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Guardar"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
    const QStringList filters = nameFilters(m_filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(m_defaultExt);
    if (!m_initDir.isEmpty())
        dialog.setDirectory(m_initDir);
    if (!m_fileName.isEmpty())
        dialog.selectFile(m_fileName);

    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return;
    m_fileName = files.first();
    const QString suffix = QFileInfo(m_fileName).suffix();
    m_flags &= ~FlagExtensionDiffers;
    if (!m_defaultExt.isEmpty() && suffix.compare(m_defaultExt, Qt::CaseInsensitive) != 0)
        m_flags |= FlagExtensionDiffers;
}

} // namespace platform
