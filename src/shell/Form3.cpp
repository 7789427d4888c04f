// The start window: the program's title beside a sample drawing, and the menu that leads to the
// three graph windows and the commentary viewer.
#include "Form3.h"

#include "Fonts.h"
#include "Twips.h"
#include "WindowNavigator.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

using platform::px;

constexpr int clientWidth = 15240; // twips
constexpr int clientHeight = 10710;

const QColor white(255, 255, 255);
const QColor blue(0, 0, 255);

// The title words and the credit lines: blue on white, each sized to its text.
struct LabelRow {
    QLabel* Form3::*member;
    const char* name;
    const char* caption;
    int left, top; // twips
    const char* font;
    double points;
};

QAction* barCommand(QMenuBar* bar, const char* name, const QString& caption)
{
    QAction* action = bar->addAction(caption);
    action->setObjectName(QString::fromUtf8(name));
    return action;
}

} // namespace

Form3::Form3(graph::WindowNavigator& windows, QWidget* parent) : Form(parent), m_windows(windows)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("TRIVELAS MORVANICAS"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form3Client"));
    client->setFixedSize(px(clientWidth), px(clientHeight));
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, white);
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    // The picture at its own size, 567 x 567 pixels, never stretched.
    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/titulo.bmp")));
    Image1->setScaledContents(false);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setGeometry(platform::pxRect(420, 360, 8505, 8505));

    const LabelRow labelRows[] = {
        {&Form3::Label4, "Label4", "TRIVELAS", 10020, 2580, "Comic Sans MS", 36},
        {&Form3::Label5, "Label5", "MORVANICAS", 9420, 6360, "Comic Sans MS", 36},
        {&Form3::Label1, "Label1", "Estudo de funções contínuas sem derivada em ponto algum", 480, 9360,
         "Comic Sans MS", 9.75},
        {&Form3::Label2, "Label2", "Funções de Weierstrass e função de Takagi", 480, 9720,
         "Comic Sans MS", 9.75},
        {&Form3::Label3, "Label3", "Versão 1.0", 480, 10080, "Comic Sans MS", 9.75},
    };
    for (const LabelRow& row : labelRows) {
        auto* label = new QLabel(QString::fromUtf8(row.caption), client);
        label->setObjectName(QString::fromUtf8(row.name));
        label->setFont(platform::mappedFont(QString::fromUtf8(row.font), row.points, true));
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, blue);
        label->setPalette(colours);
        label->move(px(row.left), px(row.top));
        label->adjustSize();
        this->*row.member = label;
    }

    // "Ficheiro" drops down its one item; the other entries act at once from the bar.
    QMenuBar* bar = menuBar();
    Ficheiro = bar->addMenu(QStringLiteral("Ficheiro"));
    Ficheiro->setObjectName(QStringLiteral("Ficheiro"));
    Ficheiro->menuAction()->setObjectName(QStringLiteral("Ficheiro"));
    AbandonarPrograma = Ficheiro->addAction(QStringLiteral("Abandonar o programa"));
    AbandonarPrograma->setObjectName(QStringLiteral("AbandonarPrograma"));
    Weierstrass1 = barCommand(bar, "Weierstrass1", QStringLiteral("Função de Weierstrass 1"));
    Weierstrass2 = barCommand(bar, "Weierstrass2", QStringLiteral("Função de Weierstrass 2"));
    Takagi = barCommand(bar, "Takagi", QStringLiteral("Função de Takagi"));
    Comentários = barCommand(bar, "Comentários", QStringLiteral("Comentários"));

    connect(AbandonarPrograma, &QAction::triggered, this, &Form3::AbandonarPrograma_Click);
    connect(Weierstrass1, &QAction::triggered, this, &Form3::Weierstrass1_Click);
    connect(Weierstrass2, &QAction::triggered, this, &Form3::Weierstrass2_Click);
    connect(Takagi, &QAction::triggered, this, &Form3::Takagi_Click);
    connect(Comentários, &QAction::triggered, this, &Form3::Comentários_Click);
}

void Form3::AbandonarPrograma_Click()
{
    m_windows.endProgram();
}

void Form3::Weierstrass1_Click()
{
    m_windows.showGraph(graph::GraphKind::Weierstrass1);
}

void Form3::Weierstrass2_Click()
{
    m_windows.showGraph(graph::GraphKind::Weierstrass2);
}

void Form3::Takagi_Click()
{
    m_windows.showGraph(graph::GraphKind::Takagi);
}

void Form3::Comentários_Click()
{
    m_windows.showViewer();
}
