// The graph window's handlers besides the axes drawing: the plot frame, the drawing commands and
// the menu items shared by the three windows.
#include "GraphForm.h"

#include "BitmapFile.h"
#include "Clipboard.h"
#include "LocaleText.h"
#include "PictureBox.h"
#include "RuntimeError.h"
#include "Values.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

namespace {

const QString plotTitle = QStringLiteral("Trivelas morvanicas");

} // namespace

void GraphForm::connectCommands()
{
    connect(Desenhar, &QToolButton::clicked, this, &GraphForm::Desenhar_Click);
    connect(ApagarGráfico, &QToolButton::clicked, this, &GraphForm::ApagarGráfico_Click);
    connect(CorGráfico, &QToolButton::clicked, this, &GraphForm::CorGráfico_Click);
    connect(CorFundo, &QToolButton::clicked, this, &GraphForm::CorFundo_Click);
    connect(EixosRad, &QToolButton::clicked, this, &GraphForm::EixosRad_Click);
    connect(CopiarFunção, &QToolButton::clicked, this, &GraphForm::CopiarFunção_Click);
    connect(GuardarGráfico, &QToolButton::clicked, this, &GraphForm::GuardarGráfico_Click);
    connect(AbandonarPrograma, &QAction::triggered, this, &GraphForm::AbandonarPrograma_Click);
    connect(Comentários, &QAction::triggered, this, &GraphForm::Comentários_Click);
}

// The plot.

void GraphForm::refusePlot(const QString& message, platform::MsgBoxStyle style)
{
    platform::MsgBox(this, message, style, plotTitle);
}

bool GraphForm::isBlank(const QLineEdit* field)
{
    return runtime::trim(field->text()).isEmpty();
}

bool GraphForm::termCountAccepted(const QLineEdit* field)
{
    const QString text = field->text();
    // The text is converted only once it is known to be a number.
    bool accepted = runtime::isNumeric(text);
    if (accepted) {
        const double n = runtime::localeToNumber(text);
        accepted = n > 0 && n == runtime::floorOf(n);
    }
    if (!accepted)
        refusePlot(QStringLiteral("O número de parcelas deve ser positivo e inteiro."));
    return accepted;
}

void GraphForm::runPlot(graph::Series series, const std::function<bool(SeriesParameters&)>& prepare)
{
    try {
        SeriesParameters p;
        if (!prepare(p))
            return;
        Picture1->setVisible(false);
        Picture2->setVisible(true);
        setMousePointer(MousePointer::Hourglass);
        graph::plotSeries(series, p.a, p.b, p.N, m_axes, CommonDialog1.Color(), *Picture1, *Picture2);
        setMousePointer(MousePointer::Default);
        Picture1->setVisible(true);
        Picture2->setVisible(false);
    } catch (const RuntimeError& error) {
        platform::MsgBox(this,
                         QStringLiteral("Erro na expressão analítica:\r\n\r\n")
                             + QString::fromStdString(error.description()),
                         platform::MsgBoxInformation, QStringLiteral("Estudo de uma função"));
        setMousePointer(MousePointer::Default);
        // Whatever part of the graph was drawn goes with the axes drawn afresh.
        DesenharEixos_Click();
        Picture1->setVisible(true);
        Picture2->setVisible(false);
    }
}

// The drawing commands.

void GraphForm::ApagarGráfico_Click()
{
    DesenharEixos_Click();
}

void GraphForm::CorGráfico_Click()
{
    // The graph drawn keeps its colour; the next plot takes the new one.
    CommonDialog1.ShowColor(this);
}

void GraphForm::CorFundo_Click()
{
    // Cancelled, the dialog keeps its colour, which the surfaces get again all the same.
    CommonDialog2.ShowColor(this);
    const QRgb colour = CommonDialog2.Color();
    Picture1->setBackColor(colour);
    Picture2->setBackColor(colour);
    DesenharEixos_Click();
}

void GraphForm::EixosRad_Click()
{
    // The caption and tooltip name the graduation the next click switches to.
    if (!m_axes.EixoEmRadianos) {
        EixosRad->setToolTip(QStringLiteral("Graduar o eixo das abcissas em unidades."));
        EixosRad->setText(QStringLiteral("Unidades"));
        m_axes.EixoEmRadianos = true;
    } else {
        EixosRad->setToolTip(QStringLiteral("Graduar o eixo das abcissas em radianos."));
        EixosRad->setText(QStringLiteral("Radianos"));
        m_axes.EixoEmRadianos = false;
    }
    DesenharEixos_Click();
}

void GraphForm::CopiarFunção_Click()
{
    platform::clipboardClear();
    platform::clipboardSetImage(Picture1->image());
}

void GraphForm::GuardarGráfico_Click()
{
    for (;;) {
        // Set afresh before every showing, which also clears the extension bit of the last one.
        CommonDialog3.setFlags(platform::CommonDialog::FlagLongNames | platform::CommonDialog::FlagPathMustExist
                               | platform::CommonDialog::FlagAskReplace);
        CommonDialog3.setInitDir(platform::appPath());
        CommonDialog3.setFilter(QStringLiteral("Mapa de bits (*.bmp)|*.bmp"));
        CommonDialog3.setDefaultExt(QStringLiteral("bmp"));
        CommonDialog3.ShowSave(this);
        if (!(CommonDialog3.Flags() & platform::CommonDialog::FlagExtensionDiffers))
            break;
        platform::MsgBox(this, QStringLiteral("Essa extensão não é permitida."), platform::MsgBoxPlain);
        CommonDialog3.setFileName(QString());
    }

    const QString fileName = CommonDialog3.FileName();
    CommonDialog3.setFileName(QString());
    if (fileName.isEmpty())
        return; // cancelled

    // Written whole or not at all: a failure leaves any file of that name as it was.
    const platform::BitmapSaveResult saved = platform::saveBitmap(Picture1->image(), fileName);
    if (!saved.ok) {
        platform::MsgBox(this, QStringLiteral("Não foi possível guardar o gráfico:\r\n\r\n") + saved.reason,
                         platform::MsgBoxInformation, plotTitle);
    }
}

// The menus.

void GraphForm::AbandonarPrograma_Click()
{
    m_windows.endProgram();
}

void GraphForm::Comentários_Click()
{
    // A viewer already open is only shown again, on the page it shows.
    m_windows.showViewer();
}

void GraphForm::switchTo(graph::GraphKind target)
{
    hide();
    m_windows.showGraph(target);
    closeThis();
}

void GraphForm::closeThis()
{
    // Closing unloads it: the shell drops its reference now, the widget deletes itself later.
    close();
}
