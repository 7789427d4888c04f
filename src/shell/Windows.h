// The program's five window kinds and the classes that make them.
#pragma once

namespace shell {

// Tells the window registry how to make each kind: the start window, the commentary viewer and
// the three graph windows. Called once before the first window is shown.
void registerWindowKinds();

} // namespace shell
