// The graph module's test class: the windows in tst_graph.cpp, the series plot and the radian
// graduation in plot_cases.cpp.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRgb>

class GraphForm;
namespace platform {
class Form;
}

inline constexpr QRgb white = 0xffffffff;
inline constexpr QRgb black = 0xff000000;
inline constexpr QRgb blue = 0xff0000ff;
inline constexpr QRgb red = 0xffff0000;

class TestGraph : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    // The windows.
    void layoutOfEachWindow_data();
    void layoutOfEachWindow();
    void controlTexts_data();
    void controlTexts();
    void defaultFrame_data();
    void defaultFrame();
    void axesMessages_data();
    void axesMessages();
    void graduation_data();
    void graduation();
    void graduationOverflowRaises();
    void guardedStepsDrawAxesWithoutMarks_data();
    void guardedStepsDrawAxesWithoutMarks();
    void radianModeReplacesUnitMarks();
    void plotMessages_data();
    void plotMessages();
    void plottedPixels_data();
    void plottedPixels();
    void commandsAndGraphs_data();
    void commandsAndGraphs();
    void copyAndSave();
    void menus_data();
    void menus();

    // The series plot and the radian graduation, without a window.
    void abscissae_data();
    void abscissae();
    void abscissaeNearTheEndsOfDoubles();
    void values_data();
    void values();
    void sums_data();
    void sums();
    void plot_data();
    void plot();
    void radian_data();
    void radian();
    void radianWorkedExample();
    void radianWideRange();

private:
    GraphForm* open(const QString& window);

    QPointer<GraphForm> m_form;
    QList<QPointer<platform::Form>> m_others;
};
