// The drawing surface of the windows: a user scale, lines, points and text over a kept image.
#include "PictureBox.h"

#include "Fonts.h"
#include "LocaleText.h"
#include "RuntimeError.h"
#include "Values.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace platform {

namespace {

constexpr QRgb textColour = 0xff000000;

// Positions this far beyond the surface are not drawn at all: nothing there can reach it.
constexpr int farAway = 1000000;

// Clips the segment (x1, y1)-(x2, y2) to the rectangle [lo, hiX] x [lo, hiY] (Cohen-Sutherland).
// A cut end is put exactly on the edge it crosses, so that horizontal and vertical lines stay on
// their row or column however far their ends lie.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double lo, double hiX, double hiY)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    enum { Left = 1, Right = 2, Above = 4, Below = 8 };
    const auto outcode = [&](double x, double y) {
        return (x < lo ? Left : x > hiX ? Right : 0) | (y < lo ? Above : y > hiY ? Below : 0);
    };
    int code1 = outcode(x1, y1);
    int code2 = outcode(x2, y2);
    for (int pass = 0; pass < 8; ++pass) {
        if ((code1 | code2) == 0)
            return true;
        if (code1 & code2)
            return false;
        const int out = code1 ? code1 : code2;
        double x = 0.0;
        double y = 0.0;
        if (out & (Left | Right)) {
            x = (out & Left) ? lo : hiX;
            y = y1 + (y2 - y1) * ((x - x1) / (x2 - x1));
        } else {
            y = (out & Above) ? lo : hiY;
            x = x1 + (x2 - x1) * ((y - y1) / (y2 - y1));
        }
        if (out == code1) {
            x1 = x;
            y1 = y;
            code1 = outcode(x1, y1);
        } else {
            x2 = x;
            y2 = y;
            code2 = outcode(x2, y2);
        }
    }
    return (code1 | code2) == 0;
}

void setPixel(QImage& image, int x, int y, QRgb colour)
{
    if (unsigned(x) < unsigned(image.width()) && unsigned(y) < unsigned(image.height()))
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
}

// Bresenham's line from a up to, not including, b.
void drawSegment(QImage& image, QPoint a, QPoint b, QRgb colour)
{
    int x = a.x();
    int y = a.y();
    const int dx = std::abs(b.x() - x);
    const int dy = -std::abs(b.y() - y);
    const int sx = x < b.x() ? 1 : -1;
    const int sy = y < b.y() ? 1 : -1;
    int error = dx + dy;
    while (x != b.x() || y != b.y()) {
        setPixel(image, x, y, colour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

} // namespace

PrintItem::PrintItem(double number) : m_text(printedNumber(number)) {}

QString printedNumber(double number)
{
    const QString text = runtime::numberToText(number);
    return number < 0 ? text + QLatin1Char(' ') : QLatin1Char(' ') + text + QLatin1Char(' ');
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureBox::setAutoRedraw(bool on)
{
    if (on == m_autoRedraw)
        return;
    m_autoRedraw = on;
    m_screen = QImage();
    update();
}

void PictureBox::ScaleMode(Scaling mode)
{
    m_pixelScale = mode == Scaling::Pixel;
}

double PictureBox::ScaleWidth() const
{
    return m_pixelScale ? double(width()) : m_scaleWidth;
}

double PictureBox::ScaleHeight() const
{
    return m_pixelScale ? double(height()) : m_scaleHeight;
}

double PictureBox::ScaleLeft() const
{
    return m_pixelScale ? 0.0 : m_scaleLeft;
}

double PictureBox::ScaleTop() const
{
    return m_pixelScale ? 0.0 : m_scaleTop;
}

void PictureBox::Scale(double x1, double y1, double x2, double y2)
{
    const double w = runtime::sub(x2, runtime::checked(x1));
    const double h = runtime::sub(y2, runtime::checked(y1));
    if (w == 0.0 || h == 0.0)
        runtime::raise(runtime::InvalidArgument);
    m_pixelScale = false;
    m_scaleLeft = x1;
    m_scaleTop = y1;
    m_scaleWidth = w;
    m_scaleHeight = h;
}

PixelMapper PictureBox::mapper() const
{
    if (m_pixelScale)
        return PixelMapper{};
    return PixelMapper{m_scaleLeft, m_scaleTop, double(width()) / m_scaleWidth, double(height()) / m_scaleHeight};
}

void PictureBox::Line(double x1, double y1, double x2, double y2, QRgb colour)
{
    const float fx1 = runtime::toSingle(x1);
    const float fy1 = runtime::toSingle(y1);
    const float fx2 = runtime::toSingle(x2);
    const float fy2 = runtime::toSingle(y2);
    m_currentX = fx2;
    m_currentY = fy2;
    QImage* image = target();
    if (!image || image->isNull())
        return;

    const PixelMapper m = mapper();
    double ax = m.mapX(fx1);
    double ay = m.mapY(fy1);
    double bx = m.mapX(fx2);
    double by = m.mapY(fy2);
    // A margin of a few pixels keeps the in-surface ends exactly where PSet puts them.
    if (!clipSegment(ax, ay, bx, by, -4.0, image->width() + 4.0, image->height() + 4.0))
        return;
    drawSegment(*image, QPoint(PixelMapper::toPixel(ax), PixelMapper::toPixel(ay)),
                QPoint(PixelMapper::toPixel(bx), PixelMapper::toPixel(by)), colour | 0xff000000);
    changed();
}

void PictureBox::PSet(double x, double y, QRgb colour)
{
    const float fx = runtime::toSingle(x);
    const float fy = runtime::toSingle(y);
    m_currentX = fx;
    m_currentY = fy;
    if (QImage* image = target()) {
        const QPoint p = mapper().map(fx, fy);
        setPixel(*image, p.x(), p.y(), colour | 0xff000000);
        changed();
    }
}

PictureBox::Points::Points(PictureBox& box, QRgb colour)
    : m_box(box), m_map(box.mapper()), m_colour(colour | 0xff000000)
{
    if (QImage* image = box.target(); image && !image->isNull()) {
        m_pixels = reinterpret_cast<QRgb*>(image->bits());
        m_stride = image->bytesPerLine() / qsizetype(sizeof(QRgb));
        m_width = image->width();
        m_height = image->height();
    }
}

PictureBox::Points::~Points()
{
    m_box.changed();
}

void PictureBox::Points::flush()
{
    m_box.changed();
    m_box.flushScreen();
}

void PictureBox::flushScreen()
{
    if (m_dirty && isVisible())
        repaint();
}

void PictureBox::setCurrentX(double x)
{
    m_currentX = runtime::toSingle(x);
}

void PictureBox::setCurrentY(double y)
{
    m_currentY = runtime::toSingle(y);
}

void PictureBox::setFontName(const QString& name)
{
    if (name != m_fontName)
        m_fontValid = false;
    m_fontName = name;
}

void PictureBox::setFontSize(double points)
{
    if (!(points > 0.0 && points <= 2048.0))
        runtime::raise(runtime::InvalidArgument);
    if (points != m_fontSize)
        m_fontValid = false;
    m_fontSize = points;
}

void PictureBox::setFontBold(bool bold)
{
    if (bold != m_fontBold)
        m_fontValid = false;
    m_fontBold = bold;
}

const QFont& PictureBox::currentFont() const
{
    if (!m_fontValid) {
        m_font = mappedFont(m_fontName, m_fontSize, m_fontBold);
        const QFontMetrics metrics(m_font);
        m_fontAscent = metrics.ascent();
        m_fontHeight = metrics.height();
        m_fontValid = true;
    }
    return m_font;
}

void PictureBox::Print(std::initializer_list<PrintItem> items)
{
    QString text;
    for (const PrintItem& item : items)
        text += item.text();
    if (isSymbolFont(m_fontName))
        text = symbolText(text);

    const QFont& font = currentFont();
    const PixelMapper m = mapper();
    if (QImage* image = target(); image && !image->isNull()) {
        const QPoint at = m.map(float(m_currentX), float(m_currentY));
        if (std::abs(at.x()) < farAway && std::abs(at.y()) < farAway) {
            QPainter painter(image);
            painter.setPen(QColor::fromRgb(textColour));
            painter.setFont(font);
            painter.drawText(QPoint(at.x(), at.y() + m_fontAscent), text);
            changed();
        }
    }
    // The next line starts at the left edge, one text line lower.
    m_currentX = float(ScaleLeft());
    m_currentY = float(m_currentY + m_fontHeight / m.yFactor);
}

void PictureBox::setBackColor(QRgb colour)
{
    colour |= 0xff000000;
    if (colour != m_backColor)
        m_blank = false;
    m_backColor = colour;
    clearPicture();
}

void PictureBox::clearPicture()
{
    fitToSize();
    if (!m_blank) {
        m_image.fill(m_backColor);
        m_blank = true;
    }
    m_screen = QImage();
    changed();
}

QImage PictureBox::image() const
{
    return persistent();
}

void PictureBox::moveChild(QWidget* child, double left, double top)
{
    // The left edge goes through single precision like the drawing coordinates; the top keeps
    // the double it was computed in.
    const PixelMapper m = mapper();
    const int x = PixelMapper::toPixel(m.mapX(runtime::toSingle(left)));
    const int y = PixelMapper::toPixel((top - m.top) * m.yFactor);
    child->move(std::clamp(x, -farAway, farAway), std::clamp(y, -farAway, farAway));
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    fitToSize();
    QPainter painter(this);
    const QRect rect = event->rect();
    if (!m_autoRedraw && !m_screen.isNull())
        painter.drawImage(rect.topLeft(), m_screen, rect);
    else if (m_blank)
        painter.fillRect(rect, QColor::fromRgb(m_backColor));
    else
        painter.drawImage(rect.topLeft(), m_image, rect);
    m_dirty = false;
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitToSize();
}

void PictureBox::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // What was drawn on the screen alone is gone once the box is off the screen.
    m_screen = QImage();
}

QImage* PictureBox::target()
{
    if (m_autoRedraw) {
        QImage* image = &persistent();
        m_blank = false;
        return image;
    }
    fitToSize();
    if (!isVisible())
        return nullptr;
    if (m_screen.isNull())
        m_screen = persistent().copy();
    return &m_screen;
}

QImage& PictureBox::persistent() const
{
    fitToSize();
    if (m_image.isNull() && !size().isEmpty()) {
        m_image = QImage(size(), QImage::Format_RGB32);
        m_image.fill(m_backColor);
    }
    return m_image;
}

void PictureBox::fitToSize() const
{
    const QSize wanted = size().expandedTo(QSize(0, 0));
    if (m_image.size() == wanted)
        return;
    if (m_blank) {
        // Made at the new size when it is needed.
        m_image = QImage();
        m_screen = QImage();
        return;
    }
    QImage resized(wanted, QImage::Format_RGB32);
    resized.fill(m_backColor);
    if (!m_image.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_image);
    }
    m_image = std::move(resized);
    m_screen = QImage();
}

void PictureBox::changed()
{
    if (!m_dirty) {
        m_dirty = true;
        update();
    }
}

} // namespace platform
