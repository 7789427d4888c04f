// The graph window of the first Weierstrass function.
#pragma once

#include "GraphForm.h"

class Form1 : public GraphForm {
public:
    explicit Form1(graph::WindowNavigator& windows, QWidget* parent = nullptr);

    void Desenhar_Click() override;
    void FecherPágina_Click();
    void Weierstrass2_Click();
    void Takagi_Click();

private:
    QLineEdit* ValorA = nullptr;
    QLineEdit* ValorB = nullptr;
    QLineEdit* ValorNWeier1 = nullptr;

    QAction* FecherPágina = nullptr;
    QAction* Weierstrass2 = nullptr;
    QAction* Takagi = nullptr;
};
