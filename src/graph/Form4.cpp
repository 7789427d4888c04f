// The graph window of the second Weierstrass function.
#include "Form4.h"

#include "clsEquation.h"

#include <QAction>
#include <QLineEdit>

Form4::Form4(graph::WindowNavigator& windows, QWidget* parent)
    : GraphForm(graph::weierstrass2Layout(), windows, parent)
{
    ValorAWeier2 = valueField("ValorAWeier2");
    ValorNWeier2 = valueField("ValorNWeier2");
    FecharPágina = closeItem();
    Weierstrass1 = switchItem(0);
    Takagi = switchItem(1);
    connect(FecharPágina, &QAction::triggered, this, &Form4::FecharPágina_Click);
    connect(Weierstrass1, &QAction::triggered, this, &Form4::Weierstrass1_Click);
    connect(Takagi, &QAction::triggered, this, &Form4::Takagi_Click);
}

void Form4::Desenhar_Click()
{
    runPlot(graph::Series::Weierstrass2, [this](SeriesParameters& p) {
        // The number of terms is asked for before a; any value of a is accepted.
        if (isBlank(ValorNWeier2)) {
            refusePlot(QStringLiteral("Deve indicar o número de parcelas do somatório."));
            return false;
        }
        if (isBlank(ValorAWeier2)) {
            refusePlot(QStringLiteral("Deve indicar o valor de a."));
            return false;
        }
        if (!termCountAccepted(ValorNWeier2))
            return false;

        clsEquation equation;
        p.a = graph::evaluateField(equation, ValorAWeier2->text());
        p.N = graph::evaluateField(equation, ValorNWeier2->text());
        return true;
    });
}

void Form4::FecharPágina_Click()
{
    closeThis();
}

void Form4::Weierstrass1_Click()
{
    switchTo(graph::GraphKind::Weierstrass1);
}

void Form4::Takagi_Click()
{
    switchTo(graph::GraphKind::Takagi);
}
