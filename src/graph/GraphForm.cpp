// The graph window built from the layout tables, its loading and its axes drawing.
#include "GraphForm.h"

#include "Fonts.h"
#include "MessageBox.h"
#include "PictureBox.h"
#include "Pictures.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

using namespace graph;
using platform::mappedFont;
using platform::pxRect;

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Text colour of a control; the palette is set on the control itself so that nothing inherits
// the blue of the frame captions by accident.
void setTextColour(QWidget* widget, QRgb colour)
{
    QPalette palette; // only these roles are the control's own, the others follow its parent's
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, QColor::fromRgb(colour));
    widget->setPalette(palette);
}

QFont defaultFont()
{
    return mappedFont(QStringLiteral("MS Sans Serif"), 8.25, false);
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const char* caption, int left, const FrameGeometry& g,
                     const char* fontName)
{
    auto* frame = new QGroupBox(text(caption), parent);
    frame->setObjectName(text(name));
    frame->setGeometry(pxRect(left, g.top, g.width, g.height));
    frame->setFont(mappedFont(text(fontName), 8.25, true));
    setTextColour(frame, layout::blue);
    return frame;
}

platform::SvgPicture* makePicture(QWidget* parent, const char* name, const char* resource, QRect geometry)
{
    auto* picture = new platform::SvgPicture(text(resource), parent);
    picture->setObjectName(text(name));
    picture->setGeometry(geometry);
    return picture;
}

QWidget* makeControl(QWidget* parent, const ControlRow& row)
{
    QWidget* widget = nullptr;
    switch (row.kind) {
    case ControlKind::Picture:
        return makePicture(parent, row.name, row.text, pxRect(row.left, row.top, row.width, row.height));
    case ControlKind::Label:
        widget = new QLabel(text(row.text), parent);
        break;
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(text(row.text), parent);
        box->setAlignment(Qt::AlignCenter);
        widget = box;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(parent);
        box->setChecked(true);
        widget = box;
        break;
    }
    }
    widget->setObjectName(text(row.name));
    widget->setFont(row.font.name ? mappedFont(text(row.font.name), row.font.size, row.font.bold) : defaultFont());
    setTextColour(widget, row.colour);
    if (row.toolTip)
        widget->setToolTip(text(row.toolTip));
    if (row.width > 0) {
        widget->setGeometry(pxRect(row.left, row.top, row.width, row.height));
    } else {
        widget->move(platform::px(row.left), platform::px(row.top));
        widget->adjustSize(); // a label sized to its text
    }
    return widget;
}

} // namespace

GraphForm::GraphForm(const GraphVariant& variant, WindowNavigator& windows, QWidget* parent)
    : platform::Form(parent), m_variant(variant), m_windows(windows)
{
    buildWindow();
    buildMenus();
    connect(DesenharEixos, &QPushButton::clicked, this, &GraphForm::DesenharEixos_Click);
    connectCommands();
}

void GraphForm::buildWindow()
{
    const GraphVariant& v = m_variant;
    setWindowTitle(QStringLiteral("TRIVELAS MORVANICAS"));
    setFont(defaultFont());

    auto* client = new QWidget(this);
    client->setFixedSize(platform::px(v.clientWidth), platform::px(v.clientHeight));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Label6 = new QLabel(text(v.title), client);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(pxRect(v.titleLeft, layout::titleTop, v.titleWidth, layout::titleHeight));
    Label6->setFont(mappedFont(QStringLiteral("Comic Sans MS"), 24, true));
    setTextColour(Label6, layout::red);

    // The drawing surfaces, white in the layout; loading places them again.
    Picture1 = new platform::PictureBox(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(pxRect(layout::surfaceLeft, layout::picture1Top, layout::surfaceSize, layout::surfaceSize));
    Picture1->setBackColor(layout::white);
    Picture2 = new platform::PictureBox(client);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(pxRect(layout::surfaceLeft, layout::picture2Top, layout::surfaceSize, layout::surfaceSize));
    Picture2->setBackColor(layout::white);

    // The arrowheads lie on Picture1 and are never part of its image; the first axes drawing
    // places and shows them.
    Image2 = makePicture(Picture1, "Image2", ":/icons/seta-eixo-y.svg",
                         pxRect(6120, 3060, layout::arrowSize, layout::arrowSize));
    Image3 = makePicture(Picture1, "Image3", ":/icons/seta-eixo-x.svg",
                         pxRect(5580, 1200, layout::arrowSize, layout::arrowSize));
    Image2->hide();
    Image3->hide();

    const char* frameFont = "MS Sans Serif";
    const char* arialOrDefault = v.arialFrames ? "Arial" : frameFont;

    Frame3 = makeFrame(client, "Frame3", v.formulaCaption, v.columnLeft, v.formula, frameFont);
    for (const ControlRow& row : v.formulaControls)
        makeControl(Frame3, row);

    Frame1 = makeFrame(client, "Frame1", v.valuesCaption, v.columnLeft, v.values, arialOrDefault);
    for (const ControlRow& row : v.valueControls)
        makeControl(Frame1, row);

    FrameOpções = makeFrame(client, "FrameOpções", "Opções sobre a janela de desenho", v.columnLeft, v.options,
                            arialOrDefault);
    QToolButton** const buttons[] = {&Desenhar, &ApagarGráfico, &CorGráfico, &CorFundo,
                                     &EixosRad, &CopiarFunção, &GuardarGráfico};
    const std::span<const ToolButtonRow> buttonRows = toolButtonRows();
    for (std::size_t i = 0; i < buttonRows.size(); ++i) {
        const ToolButtonRow& row = buttonRows[i];
        auto* button = new QToolButton(FrameOpções);
        button->setObjectName(text(row.name));
        button->setText(text(row.caption));
        button->setToolTip(text(row.toolTip));
        button->setIcon(QIcon(text(row.icon)));
        button->setIconSize(QSize(16, 16));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setFont(mappedFont(QStringLiteral("MS Serif"), 6, false));
        setTextColour(button, layout::black);
        button->setGeometry(pxRect(v.buttonLeft[i], layout::toolButtonTop, layout::toolButtonSize,
                                   layout::toolButtonSize));
        *buttons[i] = button;
    }

    Frame2 = makeFrame(client, "Frame2", "Opções sobre os eixos", v.columnLeft, v.axes, frameFont);
    for (const ControlRow& row : axisOptionRows())
        makeControl(Frame2, row);
    Xmin = Frame2->findChild<QLineEdit*>(QStringLiteral("Xmin"));
    Xmax = Frame2->findChild<QLineEdit*>(QStringLiteral("Xmax"));
    Ymin = Frame2->findChild<QLineEdit*>(QStringLiteral("Ymin"));
    Ymax = Frame2->findChild<QLineEdit*>(QStringLiteral("Ymax"));
    PassoX = Frame2->findChild<QLineEdit*>(QStringLiteral("PassoX"));
    PassoY = Frame2->findChild<QLineEdit*>(QStringLiteral("PassoY"));
    MarcaX = Frame2->findChild<QCheckBox*>(QStringLiteral("MarcaX"));
    MarcaY = Frame2->findChild<QCheckBox*>(QStringLiteral("MarcaY"));
    GradNumX = Frame2->findChild<QCheckBox*>(QStringLiteral("GradNumX"));
    GradNumY = Frame2->findChild<QCheckBox*>(QStringLiteral("GradNumY"));
    MarcaX->setToolTip(text(v.tipMarcaX));
    MarcaY->setToolTip(text(v.tipMarcaY));
    GradNumX->setToolTip(text(v.tipGradNumX));
    GradNumY->setToolTip(text(v.tipGradNumY));

    DesenharEixos = new QPushButton(text(v.axesButtonCaption), Frame2);
    DesenharEixos->setObjectName(QStringLiteral("DesenharEixos"));
    DesenharEixos->setToolTip(QStringLiteral("Desenhar os eixos."));
    DesenharEixos->setFont(defaultFont());
    DesenharEixos->setGeometry(
        pxRect(v.axesButtonLeft, layout::axesButtonTop, v.axesButtonWidth, v.axesButtonHeight));
    setTextColour(DesenharEixos, layout::black);
    QPalette yellow = DesenharEixos->palette();
    yellow.setColor(QPalette::Button, QColor::fromRgb(layout::yellow));
    DesenharEixos->setPalette(yellow);

    makePicture(client, v.instructionsName, ":/pictures/instrucoes.svg",
                pxRect(v.columnLeft, v.instructionsTop, layout::instructionsWidth, layout::instructionsHeight));
}

QLineEdit* GraphForm::valueField(const char* name) const
{
    return Frame1->findChild<QLineEdit*>(text(name));
}

void GraphForm::buildMenus()
{
    const auto action = [this](const MenuEntry& entry) {
        auto* item = new QAction(text(entry.caption), this);
        item->setObjectName(text(entry.name));
        return item;
    };

    // The menus are the desktop's, as in the start window, not in the window's font.
    QFont menuFont = QApplication::font(menuBar());
    menuFont.setResolveMask(QFont::AllPropertiesResolved);
    menuBar()->setFont(menuFont);

    Ficheiro = menuBar()->addMenu(QStringLiteral("Ficheiro"));
    Ficheiro->setObjectName(QStringLiteral("Ficheiro"));
    Ficheiro->menuAction()->setObjectName(QStringLiteral("Ficheiro"));
    m_closeItem = action(m_variant.closeItem);
    AbandonarPrograma = action({"AbandonarPrograma", "Abandonar o programa"});
    Ficheiro->addAction(m_closeItem);
    Ficheiro->addAction(AbandonarPrograma);

    // The other entries act at once, from the menu bar itself.
    for (std::size_t i = 0; i < m_switchItems.size(); ++i) {
        m_switchItems[i] = action(m_variant.switchItems[i]);
        menuBar()->addAction(m_switchItems[i]);
    }
    Comentários = action({"Comentários", "Comentários"});
    menuBar()->addAction(Comentários);
}

void GraphForm::Form_Load()
{
    Picture1->setGeometry(pxRect(layout::surfaceLeft, layout::picture1Top, layout::surfaceSize, layout::surfaceSize));
    Picture2->setGeometry(pxRect(layout::surfaceLeft, layout::picture2Top, layout::surfaceSize, layout::surfaceSize));
    Picture1->setAutoRedraw(true);
    Picture2->setAutoRedraw(false);
    Picture1->setVisible(true);
    Picture2->setVisible(false);

    CommonDialog1.setColor(layout::blue);  // colour 9 of the 16-colour palette
    CommonDialog2.setColor(layout::white); // colour 15

    m_axes.EixoEmRadianos = false;

    QLineEdit* const fields[] = {Xmin, Xmax, Ymin, Ymax, PassoX, PassoY};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        fields[i]->setText(text(m_variant.axisDefaults[i]));

    DesenharEixos_Click();
}

void GraphForm::Form_Activate()
{
    DesenharEixos_Click();
}

AxesInput GraphForm::axesInput() const
{
    AxesInput input;
    input.Xmin = Xmin->text();
    input.Xmax = Xmax->text();
    input.Ymin = Ymin->text();
    input.Ymax = Ymax->text();
    input.PassoX = PassoX->text();
    input.PassoY = PassoY->text();
    input.MarcaX = MarcaX->checkState() == Qt::Checked;
    input.MarcaY = MarcaY->checkState() == Qt::Checked;
    input.GradNumX = GradNumX->checkState() == Qt::Checked;
    input.GradNumY = GradNumY->checkState() == Qt::Checked;
    return input;
}

void GraphForm::DesenharEixos_Click()
{
    const AxesOutcome outcome = drawAxes(axesInput(), m_axes, *Picture1, *Picture2, Image3, Image2);
    switch (outcome.kind) {
    case AxesOutcome::Drawn:
        break;
    case AxesOutcome::Refused:
        platform::MsgBox(this, outcome.message, platform::MsgBoxInformation, QStringLiteral("Trivelas"));
        break;
    case AxesOutcome::Failed:
        platform::MsgBox(this, QStringLiteral("Erro nos dados dos eixos:\r\n\r\n") + outcome.message,
                         platform::MsgBoxPlain);
        setMousePointer(MousePointer::Default);
        break;
    }
}
