// The drawing surface of the windows: a user scale, lines, points and text over a kept image.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <cmath>
#include <initializer_list>

namespace platform {

// User coordinates to pixels, as a surface's scale stands at one moment. PictureBox draws every
// point through this, so callers that set many points themselves get the very same pixels.
struct PixelMapper {
    double left = 0.0; // user coordinates of the inner area's top-left corner
    double top = 0.0;
    double xFactor = 1.0; // pixels per user unit; yFactor < 0 when y grows upwards
    double yFactor = 1.0;

    // The pixel that holds the point (x, y).
    QPoint map(float x, float y) const
    {
        return QPoint(toPixel((double(x) - left) * xFactor), toPixel((double(y) - top) * yFactor));
    }
    // Continuous pixel coordinates, before the choice of the holding pixel.
    double mapX(float x) const { return (double(x) - left) * xFactor; }
    double mapY(float y) const { return (double(y) - top) * yFactor; }

    // Whole pixel below v; points far beyond the surface (or NaN) land far beyond it too,
    // without overflowing an int.
    static int toPixel(double v)
    {
        if (v >= -1.0e9 && v <= 1.0e9)
            return int(std::floor(v));
        return v > 0.0 ? 1000000000 : -1000000000;
    }
};

// One item of a Print: a number (printed with a blank before it when not negative and one after
// it) or a text (printed as it is).
class PrintItem {
public:
    PrintItem(double number);
    PrintItem(const QString& text) : m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// The text Print writes for a number: " 0.5 ", "-2 ".
QString printedNumber(double number);

// A picture box. It owns a persistent image (RGB32, one pixel per logical pixel, as large as the
// widget). With AutoRedraw on, drawing goes into that image, which is what the box shows. With
// AutoRedraw off, drawing goes to the screen only: onto a screen layer over the image, which is
// dropped whenever the box is hidden, so what is drawn while it is hidden is lost.
// Coordinates handed to the drawing calls are converted to single precision first; a coordinate
// beyond that range raises error 6.
class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setAutoRedraw(bool on);
    bool AutoRedraw() const { return m_autoRedraw; }

    // The scale a box stands in, besides its own set by Scale: pixels.
    enum class Scaling { Pixel };
    // Sets the scale back to pixels: origin at the top-left corner, one unit per pixel.
    void ScaleMode(Scaling mode);
    // Size of the inner area in units of the current scale (pixels in the pixel scale).
    double ScaleWidth() const;
    double ScaleHeight() const;
    double ScaleLeft() const;
    double ScaleTop() const;
    // (x1, y1) at the top-left corner of the inner area, (x2, y2) at its bottom-right corner,
    // so y grows upwards when y1 > y2. Equal corners (an empty scale) raise error 5; corners that
    // are not finite raise error 6.
    void Scale(double x1, double y1, double x2, double y2);

    PixelMapper mapper() const;

    // A solid line one pixel wide, from the pixel of the first point up to, not including, the
    // pixel of the second. Leaves the text position at the second point.
    void Line(double x1, double y1, double x2, double y2, QRgb colour);
    // Sets the one pixel that holds the point.
    void PSet(double x, double y, QRgb colour);

    // Many points in one colour, each set as PSet sets it (coordinates already in single
    // precision), at the cost of a store: for the hundred thousand points of a plot. While one
    // is in use the box is not resized, shown, hidden, cleared or switched to AutoRedraw.
    class Points {
    public:
        Points(PictureBox& box, QRgb colour);
        ~Points();

        void set(float x, float y)
        {
            const QPoint p = m_map.map(x, y);
            if (unsigned(p.x()) < unsigned(m_width) && unsigned(p.y()) < unsigned(m_height))
                m_pixels[p.y() * m_stride + p.x()] = m_colour;
        }
        // Repaints the box on the screen now with the points set so far, without processing events.
        void flush();

    private:
        PictureBox& m_box;
        const PixelMapper m_map;
        const QRgb m_colour;
        QRgb* m_pixels = nullptr;
        qsizetype m_stride = 0;
        int m_width = 0; // 0 where the drawing goes nowhere: AutoRedraw off and the box hidden
        int m_height = 0;
    };

    // Repaints the box on the screen now, without processing events, if anything was drawn.
    void flushScreen();

    void setCurrentX(double x);
    void setCurrentY(double y);
    double CurrentX() const { return m_currentX; }
    double CurrentY() const { return m_currentY; }

    void setFontName(const QString& name);
    void setFontSize(double points);
    void setFontBold(bool bold);
    QString FontName() const { return m_fontName; }
    double FontSize() const { return m_fontSize; }
    bool FontBold() const { return m_fontBold; }

    // Writes the items in black with their top-left corner at (CurrentX, CurrentY), one after
    // the other, then ends the line: CurrentX back to the left edge of the scale, CurrentY one
    // line lower.
    void Print(std::initializer_list<PrintItem> items);
    void Print(const QString& text) { Print({PrintItem(text)}); }
    void Print(double number) { Print({PrintItem(number)}); }

    // Repaints the whole box, persistent image included, in this colour.
    void setBackColor(QRgb colour);
    QRgb BackColor() const { return m_backColor; }
    // The empty picture: the box cleared to BackColor, persistent image included.
    void clearPicture();

    // The persistent image (never the child widgets lying on the box).
    QImage image() const;

    // Places a child widget (a picture lying on the box) with its top-left corner at the user
    // point (left, top); left is taken in single precision, top as it is.
    void moveChild(QWidget* child, double left, double top);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QImage* target();
    void fitToSize() const;
    QImage& persistent() const;
    void changed();
    const QFont& currentFont() const;

    // The persistent image is made only when something is drawn into it or it is asked for:
    // until then, and after each clearing, it is known to be all BackColor (m_blank), so that
    // clearing a box that is already clear costs nothing.
    mutable QImage m_image;
    mutable bool m_blank = true;
    mutable QImage m_screen; // the screen layer with AutoRedraw off; null while there is none
    bool m_autoRedraw = false;
    bool m_dirty = false;
    QRgb m_backColor = 0xffffffff;

    bool m_pixelScale = true;
    double m_scaleLeft = 0.0;
    double m_scaleTop = 0.0;
    double m_scaleWidth = 1.0;
    double m_scaleHeight = 1.0;

    double m_currentX = 0.0;
    double m_currentY = 0.0;
    QString m_fontName = QStringLiteral("MS Sans Serif");
    double m_fontSize = 8.25;
    bool m_fontBold = false;
    // The font of the text, looked up again only when its name, size or boldness changes.
    mutable QFont m_font;
    mutable int m_fontAscent = 0;
    mutable int m_fontHeight = 0;
    mutable bool m_fontValid = false;
};

} // namespace platform
