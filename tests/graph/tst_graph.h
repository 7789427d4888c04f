// The graph module's tests: the windows in tst_graph.cpp, the series plot and the radian
// graduation in plot_cases.cpp.
#pragma once

#include "RaisedError.h"
#include "WindowNavigator.h"

#include <QObject>
#include <QPointer>
#include <QRgb>
#include <QStringList>
#include <QWidget>

#include <optional>

class GraphForm;

inline constexpr QRgb white = 0xffffffff;
inline constexpr QRgb black = 0xff000000;
inline constexpr QRgb blue = 0xff0000ff;
inline constexpr QRgb red = 0xffff0000;

class TestGraph : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void defaultWindow_data();
    void defaultWindow();
    void axesMessages_data();
    void axesMessages();
    void graduation_data();
    void graduation();
    void guardedStepsDrawAxesWithoutMarks_data();
    void guardedStepsDrawAxesWithoutMarks();
    void plotMessages_data();
    void plotMessages();
    void plotAndCommands_data();
    void plotAndCommands();
    void copyAndSave();
    void liveViewAdvances();
    void menus_data();
    void menus();
    void abscissae_data();
    void abscissae();
    void abscissaeNearTheEndsOfDoubles();
    void sums_data();
    void sums();
    void plot_data();
    void plot();
    void radian_data();
    void radian();
    void radianWorkedExample();
    void radianWideRange();

private:
    // Stands for the shell: keeps what a graph window last asked of the other windows.
    class Navigator : public graph::WindowNavigator {
    public:
        void showGraph(graph::GraphKind k) override { note(QStringList{"Weierstrass1", "Weierstrass2", "Takagi"}[int(k)]); }
        void showViewer() override { note(QStringLiteral("viewer")); }
        void endProgram() override { note(QStringLiteral("end")); }
        void note(const QString& request) { asked = request; askerShown = asker && asker->isVisible(); }
        QString asked;
        bool askerShown = false; // whether the window asking was still on the screen
        QPointer<QWidget> asker;
    };

    GraphForm* open(const QString& window);

    Navigator m_navigator;
    QPointer<GraphForm> m_form;
};
