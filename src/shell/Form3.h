// The start window: the program's title beside a sample drawing, and the menu that leads to the
// three graph windows and the commentary viewer.
#pragma once

#include "Form.h"

class QAction;
class QLabel;
class QMenu;

namespace graph {
class WindowNavigator;
}

class Form3 : public platform::Form {
public:
    explicit Form3(graph::WindowNavigator& windows, QWidget* parent = nullptr);

    void AbandonarPrograma_Click();
    void Weierstrass1_Click();
    void Weierstrass2_Click();
    void Takagi_Click();
    void Comentários_Click();

private:
    graph::WindowNavigator& m_windows;

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;

    QMenu* Ficheiro = nullptr;
    QAction* AbandonarPrograma = nullptr;
    QAction* Weierstrass1 = nullptr;
    QAction* Weierstrass2 = nullptr;
    QAction* Takagi = nullptr;
    QAction* Comentários = nullptr;
};
