// The graph window of the Takagi function.
#pragma once

#include "GraphForm.h"

class Form5 : public GraphForm {
public:
    explicit Form5(graph::WindowNavigator& windows, QWidget* parent = nullptr);

    void Desenhar_Click() override;
    void FecharPágina_Click();
    void Weierstrass1_Click();
    void Weierstrass2_Click();

private:
    QLineEdit* ValorNTakagi = nullptr;

    QAction* FecharPágina = nullptr;
    QAction* Weierstrass1 = nullptr;
    QAction* Weierstrass2 = nullptr;
};
