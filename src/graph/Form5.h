// The graph window of the Takagi function.
#pragma once

#include "GraphForm.h"

class Form5 : public GraphForm {
public:
    static constexpr platform::FormKind Kind = platform::FormKind::Form5;

    explicit Form5(QWidget* parent = nullptr);

    void Desenhar_Click() override;
    void FecharPágina_Click();
    void Weierstrass1_Click();
    void Weierstrass2_Click();

    QLineEdit* ValorNTakagi = nullptr;

    QAction* FecharPágina = nullptr;
    QAction* Weierstrass1 = nullptr;
    QAction* Weierstrass2 = nullptr;
};
