// The graph window of the first Weierstrass function.
#include "Form1.h"

#include "LocaleText.h"
#include "Values.h"
#include "clsEquation.h"

#include <QAction>
#include <QLineEdit>

Form1::Form1(graph::WindowNavigator& windows, QWidget* parent)
    : GraphForm(graph::weierstrass1Layout(), windows, parent)
{
    ValorA = valueField("ValorA");
    ValorB = valueField("ValorB");
    ValorNWeier1 = valueField("ValorNWeier1");
    FecherPágina = closeItem();
    Weierstrass2 = switchItem(0);
    Takagi = switchItem(1);
    connect(FecherPágina, &QAction::triggered, this, &Form1::FecherPágina_Click);
    connect(Weierstrass2, &QAction::triggered, this, &Form1::Weierstrass2_Click);
    connect(Takagi, &QAction::triggered, this, &Form1::Takagi_Click);
}

void Form1::Desenhar_Click()
{
    runPlot(graph::Series::Weierstrass1, [this](SeriesParameters& p) {
        if (isBlank(ValorA)) {
            refusePlot(QStringLiteral("Deve indicar o valor de a."));
            return false;
        }
        if (isBlank(ValorB)) {
            refusePlot(QStringLiteral("Deve indicar o valor de b."));
            return false;
        }
        if (!termCountAccepted(ValorNWeier1))
            return false;

        clsEquation equation;
        p.a = graph::evaluateField(equation, ValorA->text());
        p.b = graph::evaluateField(equation, ValorB->text());
        p.N = runtime::leadingNumber(ValorNWeier1->text());

        // b is made whole for this test alone (13.4 passes); beyond 32 bits it raises overflow.
        if (runtime::intMod(p.b, 2) != 1) {
            refusePlot(QStringLiteral("O valor de b deve ser ímpar."), platform::MsgBoxExclamation);
            return false;
        }
        if (p.a >= p.b) {
            refusePlot(QStringLiteral("O valor de a tem de ser menor que o de b."), platform::MsgBoxExclamation);
            return false;
        }
        if (runtime::mul(p.a, p.b) <= 1) {
            refusePlot(QStringLiteral("O produto de a por b tem de ser maior que um."), platform::MsgBoxExclamation);
            return false;
        }
        return true;
    });
}

void Form1::FecherPágina_Click()
{
    closeThis();
}

void Form1::Weierstrass2_Click()
{
    switchTo(graph::GraphKind::Weierstrass2);
}

void Form1::Takagi_Click()
{
    switchTo(graph::GraphKind::Takagi);
}
