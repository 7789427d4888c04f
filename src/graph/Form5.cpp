// The graph window of the Takagi function.
#include "Form5.h"

#include "LocaleText.h"

#include <QAction>
#include <QLineEdit>

Form5::Form5(graph::WindowNavigator& windows, QWidget* parent)
    : GraphForm(graph::takagiLayout(), windows, parent)
{
    ValorNTakagi = valueField("ValorNTakagi");
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
    switchTo(graph::GraphKind::Weierstrass1);
}

void Form5::Weierstrass2_Click()
{
    switchTo(graph::GraphKind::Weierstrass2);
}
