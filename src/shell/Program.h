// The program's life, from its start window until its event loop ends.
#pragma once

namespace shell {

// Shows the start window and runs the event loop of the QApplication already made; returns its
// status once the last window has closed or "Abandonar o programa" has ended it.
int runProgram();

} // namespace shell
