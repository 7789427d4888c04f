// The graph window of the first Weierstrass function.
#include "Form1.h"

#include <QGroupBox>
#include <QLineEdit>

Form1::Form1(QWidget* parent) : GraphForm(Kind, graph::weierstrass1Layout(), parent)
{
    ValorA = Frame1->findChild<QLineEdit*>(QStringLiteral("ValorA"));
    ValorB = Frame1->findChild<QLineEdit*>(QStringLiteral("ValorB"));
    ValorNWeier1 = Frame1->findChild<QLineEdit*>(QStringLiteral("ValorNWeier1"));
    FecherPágina = closeItem();
    Weierstrass2 = switchItem(0);
    Takagi = switchItem(1);
}
