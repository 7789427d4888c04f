// The program's modal message box.
#pragma once

#include <QString>

class QWidget;

namespace platform {

// Styles: the icon plus the buttons; every box of the program has the single OK button.
enum MsgBoxStyle : int {
    MsgBoxPlain = 0,
    MsgBoxExclamation = 48,
    MsgBoxInformation = 64,
};

// The title shown by a box given none: the program's name.
QString applicationTitle();

// Shows `text` modally with the icon of `style` and one OK button; returns once it is answered.
// An empty title shows the application's title.
void MsgBox(QWidget* parent, const QString& text, MsgBoxStyle style, const QString& title = {});

} // namespace platform
