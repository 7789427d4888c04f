// Frames, buttons and captions that paint as Qt's own do, but reuse what was drawn for an earlier
// one of the same look, so that a window opened again paints in a fraction of the time.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

class QStyleOption;

namespace platform {

// The one palette object kept for palettes of equal colours. The style keeps what it drew
// under the palette's identity, which differs for every control given its own colours; painting
// with the shared equal palette lets a control reuse what the style drew for another.
QPalette sharedPalette(const QPalette& palette);

// A frame whose border, the same for every frame of one size and look, is drawn by the style
// once and then copied; the caption is drawn as usual.
class GroupFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A caption on a plain ground of its own (it fills its background): its whole look, the same for
// every caption of one text, font, colours and size, is drawn once and then copied. Laying out
// and drawing large letters on every paint costs many times the copy.
class CaptionLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A command button that paints through the shared palette.
class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A graphical button that paints through the shared palette.
class ToolButton : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace platform
