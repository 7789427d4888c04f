// The graph window of the second Weierstrass function.
#include "Form4.h"

#include <QGroupBox>
#include <QLineEdit>

Form4::Form4(QWidget* parent) : GraphForm(Kind, graph::weierstrass2Layout(), parent)
{
    ValorAWeier2 = Frame1->findChild<QLineEdit*>(QStringLiteral("ValorAWeier2"));
    ValorNWeier2 = Frame1->findChild<QLineEdit*>(QStringLiteral("ValorNWeier2"));
    FecharPágina = closeItem();
    Weierstrass1 = switchItem(0);
    Takagi = switchItem(1);
}
