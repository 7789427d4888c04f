// The graph window of the Takagi function.
#include "Form5.h"

#include <QGroupBox>
#include <QLineEdit>

Form5::Form5(QWidget* parent) : GraphForm(Kind, graph::takagiLayout(), parent)
{
    ValorNTakagi = Frame1->findChild<QLineEdit*>(QStringLiteral("ValorNTakagi"));
    FecharPágina = closeItem();
    Weierstrass1 = switchItem(0);
    Weierstrass2 = switchItem(1);
}
