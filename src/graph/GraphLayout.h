// The layout of the three graph windows: one design, with a small record of what each variant
// changes. Every position is in twips, relative to the control's container.
#pragma once

#include <QRgb>

#include <array>
#include <span>

namespace graph {

enum class ControlKind {
    Label,
    TextBox,
    CheckBox,
    Picture, // an SVG picture from the resources
};

struct FontStyle {
    const char* name = nullptr; // nullptr: the window's default font
    double size = 0;
    bool bold = false;
};

// One control inside a frame.
struct ControlRow {
    const char* name;
    ControlKind kind;
    int left, top, width, height; // a label with width 0 is sized to its text
    const char* text;             // caption, default text or resource path
    const char* toolTip;
    QRgb colour;                  // text colour
    FontStyle font;
};

// One graphical command button of the drawing options frame.
struct ToolButtonRow {
    const char* name;
    const char* caption;
    const char* icon;
    const char* toolTip;
};

// A frame of the right-hand column.
struct FrameGeometry {
    int top, width, height;
};

// A menu entry: the action's name and caption.
struct MenuEntry {
    const char* name;
    const char* caption;
};

// What distinguishes Form1, Form4 and Form5.
struct GraphVariant {
    int clientWidth, clientHeight;
    int columnLeft;

    const char* title; // Label6
    int titleLeft, titleWidth;

    const char* formulaCaption; // Frame3
    FrameGeometry formula;
    std::span<const ControlRow> formulaControls;

    const char* valuesCaption; // Frame1
    FrameGeometry values;
    std::span<const ControlRow> valueControls;

    FrameGeometry options; // FrameOpções
    FrameGeometry axes;    // Frame2
    bool arialFrames;      // Frame1 and FrameOpções captioned in Arial

    const char* instructionsName;
    int instructionsTop;

    std::array<int, 7> buttonLeft; // in the order of toolButtonRows()

    const char* axesButtonCaption; // DesenharEixos
    int axesButtonLeft, axesButtonWidth, axesButtonHeight;

    // Xmin, Xmax, Ymin, Ymax, PassoX, PassoY: formulas, so "." is the decimal point everywhere.
    std::array<const char*, 6> axisDefaults;

    const char* tipMarcaX;
    const char* tipMarcaY;
    const char* tipGradNumX;
    const char* tipGradNumY;

    MenuEntry closeItem;
    std::array<MenuEntry, 2> switchItems; // the two other graph windows
};

const GraphVariant& weierstrass1Layout();
const GraphVariant& weierstrass2Layout();
const GraphVariant& takagiLayout();

// Controls shared by the three windows: the axis options frame and its buttons.
std::span<const ControlRow> axisOptionRows();
std::span<const ToolButtonRow> toolButtonRows();

// Fixed measures and colours of the shared design; the axes and their graduation are drawn in
// its black too.
namespace layout {
inline constexpr int titleTop = 180;
inline constexpr int titleHeight = 675;
inline constexpr int optionsHeight = 1155;
inline constexpr int toolButtonTop = 360;
inline constexpr int toolButtonSize = 615;
inline constexpr int axesButtonTop = 2100;
inline constexpr int instructionsWidth = 5445;
inline constexpr int instructionsHeight = 2745;
inline constexpr int surfaceLeft = 60;
inline constexpr int picture1Top = 1140;
inline constexpr int picture2Top = 1020;
inline constexpr int surfaceSize = 9500;
inline constexpr int arrowSize = 240;

inline constexpr QRgb blue = 0xff0000ff;
inline constexpr QRgb red = 0xffff0000;
inline constexpr QRgb black = 0xff000000;
inline constexpr QRgb white = 0xffffffff;
inline constexpr QRgb yellow = 0xffffff00;
} // namespace layout

} // namespace graph
