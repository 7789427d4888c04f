// The graph window of the first Weierstrass function.
#pragma once

#include "GraphForm.h"

class Form1 : public GraphForm {
public:
    static constexpr platform::FormKind Kind = platform::FormKind::Form1;

    explicit Form1(QWidget* parent = nullptr);

    void Desenhar_Click() override;
    void FecherPágina_Click();
    void Weierstrass2_Click();
    void Takagi_Click();

    QLineEdit* ValorA = nullptr;
    QLineEdit* ValorB = nullptr;
    QLineEdit* ValorNWeier1 = nullptr;

    QAction* FecherPágina = nullptr;
    QAction* Weierstrass2 = nullptr;
    QAction* Takagi = nullptr;
};
