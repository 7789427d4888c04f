// What a window asks of the program's other windows. The shell, which owns them all, hands
// one to each window it makes that leads to others.
#pragma once

namespace graph {

enum class GraphKind { Weierstrass1, Weierstrass2, Takagi };

class WindowNavigator {
public:
    // Shows the graph window of that kind, made and loaded first when it has no instance.
    virtual void showGraph(GraphKind kind) = 0;
    // Shows the commentary viewer; one already open is shown again as it stands.
    virtual void showViewer() = 0;
    // Closes every window at once, asking nothing, and ends the program.
    virtual void endProgram() = 0;

protected:
    ~WindowNavigator() = default;
};

} // namespace graph
