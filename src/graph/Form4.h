// The graph window of the second Weierstrass function.
#pragma once

#include "GraphForm.h"

class Form4 : public GraphForm {
public:
    explicit Form4(graph::WindowNavigator& windows, QWidget* parent = nullptr);

    void Desenhar_Click() override;
    void FecharPágina_Click();
    void Weierstrass1_Click();
    void Takagi_Click();

private:
    QLineEdit* ValorAWeier2 = nullptr;
    QLineEdit* ValorNWeier2 = nullptr;

    QAction* FecharPágina = nullptr;
    QAction* Weierstrass1 = nullptr;
    QAction* Takagi = nullptr;
};
