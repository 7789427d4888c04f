// The graph module's tests: the windows in tst_graph.cpp, the series plot and the radian
// graduation in plot_cases.cpp.
#pragma once

#include "RaisedError.h"
#include "WindowNavigator.h"

#include <QObject>
#include <QPointer>
#include <QRgb>

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

    void windowStates_data();
    void windowStates();
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
    void copyAndSave();
    void liveViewAdvances();
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
    // Stands for the shell, which the window tests leave out.
    struct Navigator : graph::WindowNavigator {
        void showGraph(graph::GraphKind) override {}
        void showViewer() override {}
        void endProgram() override {}
    };

    GraphForm* open(const QString& window);

    Navigator m_navigator;
    QPointer<GraphForm> m_form;
};
