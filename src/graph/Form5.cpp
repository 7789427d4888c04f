// The graph window of the Takagi function.
#include "Form5.h"

#include "Form1.h"
#include "Form4.h"
#include "LocaleText.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>

Form5::Form5(QWidget* parent) : GraphForm(Kind, graph::takagiLayout(), parent)
{
    ValorNTakagi = Frame1->findChild<QLineEdit*>(QStringLiteral("ValorNTakagi"));
    FecharPágina = closeItem();
    Weierstrass1 = switchItem(0);
    Weierstrass2 = switchItem(1);
    connect(FecharPágina, &QAction::triggered, this, &Form5::FecharPágina_Click);
    connect(Weierstrass1, &QAction::triggered, this, &Form5::Weierstrass1_Click);
    connect(Weierstrass2, &QAction::triggered, this, &Form5::Weierstrass2_Click);
}

void Form5::Desenhar_Click()
{
    runPlot(graph::Series::Takagi, [this](SeriesParameters& p) {
        if (!termCountAccepted(ValorNTakagi))
            return false;
        p.N = runtime::leadingNumber(ValorNTakagi->text());
        return true;
    });
}

void Form5::FecharPágina_Click()
{
    closeThis();
}

void Form5::Weierstrass1_Click()
{
    switchTo<Form1>();
}

void Form5::Weierstrass2_Click()
{
    switchTo<Form4>();
}
