// The commentary viewer: thirteen pages shown one at a time, turned with two arrows.
#pragma once

#include "Form.h"

#include <QtGlobal>

#include <array>

class QLabel;
class QPushButton;

namespace platform {
class SvgPicture;
}

class Form2 : public platform::Form {
public:
    static constexpr qint16 NúmeroDePáginas = 13;

    explicit Form2(QWidget* parent = nullptr);

    void Form_Load() override;
    void SetaD_Click();
    void SetaE_Click();
    void Command1_Click();

private:
    // Page n, for n from 1 to 13.
    platform::SvgPicture* Image1(int index) const;

    // The page shown, 1 to 13.
    qint16 PáginaActual = 0;

    QPushButton* Command1 = nullptr;
    QPushButton* SetaE = nullptr;
    QPushButton* SetaD = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Starts drawing the pages either side of the one shown, so that the next turn finds its page
    // drawn.
    void prepareNeighbours();

    bool m_framed = false; // the client was fitted to the window system's frame
    std::array<platform::SvgPicture*, NúmeroDePáginas> m_pages{};
};
