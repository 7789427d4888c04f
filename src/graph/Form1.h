// The graph window of the first Weierstrass function.
#pragma once

#include "GraphForm.h"

class Form1 : public GraphForm {
public:
    static constexpr platform::FormKind Kind = platform::FormKind::Form1;

    explicit Form1(QWidget* parent = nullptr);

    QLineEdit* ValorA = nullptr;
    QLineEdit* ValorB = nullptr;
    QLineEdit* ValorNWeier1 = nullptr;

    QAction* FecherPágina = nullptr;
    QAction* Weierstrass2 = nullptr;
    QAction* Takagi = nullptr;
};
