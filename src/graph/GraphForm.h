// The graph window: one design built from the layout tables, in the variant of Form1, Form4 or
// Form5.
#pragma once

#include "AxesDrawing.h"
#include "AxisState.h"
#include "CommonDialog.h"
#include "Form.h"
#include "GraphLayout.h"
#include "MessageBox.h"
#include "SeriesPlot.h"
#include "WindowNavigator.h"

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace platform {
class PictureBox;
}

// Handlers are plain member functions connected explicitly; the class has no Q_OBJECT, so none
// of its accented names ever goes through moc. Its controls are reached by their objectNames.
class GraphForm : public platform::Form {
public:
    GraphForm(const graph::GraphVariant& variant, graph::WindowNavigator& windows, QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Activate() override;
    void DesenharEixos_Click();

    // Plots the window's partial sum over the abscissae of the last axes drawing.
    virtual void Desenhar_Click() = 0;

    // The drawing commands.
    void ApagarGráfico_Click();
    void CorGráfico_Click();
    void CorFundo_Click();
    void EixosRad_Click();
    void CopiarFunção_Click();
    void GuardarGráfico_Click();

    // The menu items shared by the three windows.
    void AbandonarPrograma_Click();
    void Comentários_Click();

    // What the last axes drawing left, read by the plot.
    const graph::AxisState& axisState() const { return m_axes; }

protected:
    struct SeriesParameters {
        double a = 0;
        double b = 0;
        double N = 0;
    };

    // The frame of Desenhar_Click. `prepare` runs the window's tests and obtains the parameters;
    // it returns false once a test has refused (its message shown), and the plot ends with
    // nothing changed. Every run-time error, from `prepare` or from the plot, ends in the error
    // report, which draws the axes afresh.
    void runPlot(graph::Series series, const std::function<bool(SeriesParameters&)>& prepare);

    // The message of a refused test of the plot.
    void refusePlot(const QString& message, platform::MsgBoxStyle style = platform::MsgBoxInformation);
    // Whether the field's text, blanks trimmed, is empty.
    static bool isBlank(const QLineEdit* field);
    // The test of a number-of-terms field: a positive whole number in the user's locale. On
    // failure its message is shown and false returned.
    bool termCountAccepted(const QLineEdit* field);
    // A text box of the window's values frame.
    QLineEdit* valueField(const char* name) const;

    // Leaves this window for the graph window of another kind: hides this one, shows the other
    // (loading it when it has no instance), then unloads this one.
    void switchTo(graph::GraphKind target);
    // Unloads this window only.
    void closeThis();

    // The menu items whose names differ between the windows: the close item, then the two
    // items leading to the other graph windows.
    QAction* closeItem() const { return m_closeItem; }
    QAction* switchItem(int index) const { return m_switchItems[index]; }

private:
    void buildWindow();
    void buildMenus();
    void connectCommands();
    graph::AxesInput axesInput() const;

    const graph::GraphVariant& m_variant;
    graph::WindowNavigator& m_windows;
    graph::AxisState m_axes;

    // Controls shared by the three windows, each named after its objectName.
    platform::PictureBox* Picture1 = nullptr;
    platform::PictureBox* Picture2 = nullptr;
    QWidget* Image2 = nullptr; // arrowhead of the y axis, inside Picture1
    QWidget* Image3 = nullptr; // arrowhead of the x axis, inside Picture1
    QLabel* Label6 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* FrameOpções = nullptr;
    QGroupBox* Frame2 = nullptr;

    QToolButton* Desenhar = nullptr;
    QToolButton* ApagarGráfico = nullptr;
    QToolButton* CorGráfico = nullptr;
    QToolButton* CorFundo = nullptr;
    QToolButton* EixosRad = nullptr;
    QToolButton* CopiarFunção = nullptr;
    QToolButton* GuardarGráfico = nullptr;

    QLineEdit* Xmin = nullptr;
    QLineEdit* Xmax = nullptr;
    QLineEdit* Ymin = nullptr;
    QLineEdit* Ymax = nullptr;
    QLineEdit* PassoX = nullptr;
    QLineEdit* PassoY = nullptr;
    QCheckBox* MarcaX = nullptr;
    QCheckBox* MarcaY = nullptr;
    QCheckBox* GradNumX = nullptr;
    QCheckBox* GradNumY = nullptr;
    QPushButton* DesenharEixos = nullptr;

    QMenu* Ficheiro = nullptr;
    QAction* AbandonarPrograma = nullptr;
    QAction* Comentários = nullptr;
    QAction* m_closeItem = nullptr;
    std::array<QAction*, 2> m_switchItems{};

    platform::CommonDialog CommonDialog1; // graph colour
    platform::CommonDialog CommonDialog2; // background colour
    platform::CommonDialog CommonDialog3; // bitmap file to save
};
