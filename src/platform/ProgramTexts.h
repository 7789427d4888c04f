// Portuguese for the texts that Qt's own dialogs and menus show.
#pragma once

namespace platform {

// Installs, once, the Portuguese texts of the standard dialogs (colour, save, questions) and of
// the text boxes' context menu. Every Form and every dialog call does it; calling again is free.
void installProgramTexts();

} // namespace platform
