// The commentary viewer: thirteen pages shown one at a time, turned with two arrows.
#include "Form2.h"

#include "Fonts.h"
#include "Pictures.h"
#include "Twips.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QWindow>

namespace {

using platform::px;

// The window's outer size, borders and title bar included.
constexpr int outerWidth = 9200; // twips
constexpr int outerHeight = 10700;

constexpr int pageLeft = 120;
constexpr int pageTop = 120;
constexpr int pageWidth = 8835;
constexpr int pageHeight = 9375;

const QColor red(255, 0, 0);

QLabel* counterLabel(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromUtf8(name));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, red);
    label->setPalette(colours);
    label->move(px(left), px(top));
    label->adjustSize();
    return label;
}

QPushButton* arrowButton(QWidget* parent, const char* name, const QString& icon, int left)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setAutoDefault(false);
    button->setGeometry(platform::pxRect(left, 9540, 435, 435));
    return button;
}

} // namespace

Form2::Form2(QWidget* parent) : Form(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("COMENTÁRIOS"));
    // The window's default font, in which the counter is written.
    setFont(platform::mappedFont(QStringLiteral("MS Sans Serif"), 8.25, false));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form2Client"));
    setCentralWidget(client);
    // Not resizable by the user, as the graph windows are.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The pages' text is in the application's font wherever a page names no font property of
    // its own, not in the window's.
    QFont pageFont = QApplication::font();
    pageFont.setResolveMask(QFont::AllPropertiesResolved);

    // Every page is made with the window, so that turning a page only hides one and shows another.
    for (int n = 1; n <= NúmeroDePáginas; ++n) {
        const QString file = QStringLiteral(":/pages/pagina%1.svg").arg(n, 2, 10, QLatin1Char('0'));
        auto* page = new platform::SvgPicture(file, client);
        page->setFont(pageFont);
        page->setObjectName(QStringLiteral("Image1(%1)").arg(n));
        page->setGeometry(platform::pxRect(pageLeft, pageTop, pageWidth, pageHeight));
        m_pages[n - 1] = page;
    }

    Command1 = new QPushButton(QStringLiteral("Fechar"), client);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    Command1->setGeometry(platform::pxRect(120, 9600, 1275, 315));
    SetaE = arrowButton(client, "SetaE", QStringLiteral(":/icons/seta-esquerda.svg"), 7980);
    SetaD = arrowButton(client, "SetaD", QStringLiteral(":/icons/seta-direita.svg"), 8520);

    Label1 = counterLabel(client, "Label1", QStringLiteral("Página"), 3480, 9660);
    Label2 = counterLabel(client, "Label2", QStringLiteral("1"), 4080, 9660);
    Label3 = counterLabel(client, "Label3", QStringLiteral("de  13"), 4380, 9660);

    setTabOrder(SetaD, SetaE);
    setTabOrder(SetaE, Command1);

    connect(SetaD, &QPushButton::clicked, this, &Form2::SetaD_Click);
    connect(SetaE, &QPushButton::clicked, this, &Form2::SetaE_Click);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

platform::SvgPicture* Form2::Image1(int index) const
{
    Q_ASSERT(index >= 1 && index <= NúmeroDePáginas);
    return m_pages[index - 1];
}

void Form2::Form_Load()
{
    // The outer size is the window's: without a frame the client has all of it; a frame takes its
    // share once the window system tells it (eventFilter).
    centralWidget()->setFixedSize(px(outerWidth), px(outerHeight));

    for (int n = 1; n <= NúmeroDePáginas; ++n)
        Image1(n)->move(px(pageLeft), px(pageTop));
    for (int n = 2; n <= NúmeroDePáginas; ++n)
        Image1(n)->setVisible(false);
    Image1(1)->setVisible(true);

    SetaE->setEnabled(false);
    SetaD->setFocus();

    PáginaActual = 1;
    Label2->setText(QString::number(PáginaActual));
    Label2->adjustSize();
    prepareNeighbours();
}

void Form2::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!m_framed && windowHandle())
        windowHandle()->installEventFilter(this);
}

// The frame is the window system's and is known once the window is on the screen: the first time
// it is, before anything is painted there, the client takes what the frame leaves of the outer size.
bool Form2::eventFilter(QObject* watched, QEvent* event)
{
    QWindow* window = windowHandle();
    const QEvent::Type type = event->type();
    if (!m_framed && watched == window && window->isExposed()
        && (type == QEvent::Expose || type == QEvent::Move || type == QEvent::Resize)) {
        const QMargins frame = window->frameMargins();
        if (!frame.isNull()) {
            m_framed = true;
            window->removeEventFilter(this);
            centralWidget()->setFixedSize(px(outerWidth) - frame.left() - frame.right(),
                                          px(outerHeight) - frame.top() - frame.bottom());
            // Laid out at once, so that the first paint already has the new size.
            layout()->activate();
        }
    }
    return Form::eventFilter(watched, event);
}

void Form2::SetaD_Click()
{
    if (PáginaActual != NúmeroDePáginas) {
        Image1(PáginaActual)->setVisible(false);
        Image1(PáginaActual + 1)->setVisible(true);
        ++PáginaActual;
        SetaE->setEnabled(true);
    }
    if (PáginaActual == NúmeroDePáginas)
        SetaD->setEnabled(false);
    Label2->setText(QString::number(PáginaActual));
    Label2->adjustSize();
    prepareNeighbours();
}

void Form2::SetaE_Click()
{
    if (PáginaActual != 1) {
        Image1(PáginaActual)->setVisible(false);
        Image1(PáginaActual - 1)->setVisible(true);
        --PáginaActual;
        SetaD->setEnabled(true);
    }
    if (PáginaActual == 1) {
        SetaE->setEnabled(false);
        SetaD->setEnabled(true);
    }
    Label2->setText(QString::number(PáginaActual));
    Label2->adjustSize();
    prepareNeighbours();
}

void Form2::prepareNeighbours()
{
    for (const int n : {PáginaActual - 1, PáginaActual + 1}) {
        if (n >= 1 && n <= NúmeroDePáginas)
            Image1(n)->prepare();
    }
}

void Form2::Command1_Click()
{
    close(); // unloads it
}
