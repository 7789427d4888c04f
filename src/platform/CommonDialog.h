// Colour chooser and save-file dialog, one object per use in a window.
#pragma once

#include <QRgb>
#include <QString>

class QWidget;

namespace platform {

class CommonDialog {
public:
    // Flags of the save dialog.
    enum : int {
        FlagAskReplace = 0x2,          // ask before an existing file is replaced
        FlagExtensionDiffers = 0x400,  // set on return: the chosen extension is not DefaultExt
        FlagPathMustExist = 0x800,     // only names in existing folders are accepted
        FlagLongNames = 0x200000,      // long file names (always the case here)
    };

    QRgb Color() const { return m_color; }
    void setColor(QRgb color);
    // Modal colour chooser starting from Color; OK stores the choice, cancel keeps Color.
    void ShowColor(QWidget* parent);

    int Flags() const { return m_flags; }
    void setFlags(int flags) { m_flags = flags; }
    void setInitDir(const QString& dir) { m_initDir = dir; }
    // Pairs of description and pattern separated by "|": "Mapa de bits (*.bmp)|*.bmp".
    void setFilter(const QString& filter) { m_filter = filter; }
    void setDefaultExt(const QString& ext) { m_defaultExt = ext; }
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }

    // Modal save dialog. OK: FileName gets the full path (DefaultExt added to a name typed
    // without extension) and FlagExtensionDiffers tells whether the extension is another one.
    // Cancel: FileName and Flags keep their values.
    void ShowSave(QWidget* parent);

private:
    QRgb m_color = 0xff000000;
    int m_flags = 0;
    QString m_initDir;
    QString m_filter;
    QString m_defaultExt;
    QString m_fileName;
};

} // namespace platform
