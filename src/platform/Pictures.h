// The program's pictures, each drawn once per process and then only copied to the screen.
#pragma once

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

class QPainter;

namespace platform {

// Draws the part `source` of the image (in the image's pixels) with its top-left corner at `at`,
// as QPainter::drawImage does, in bands of a few rows: the raster engine hands a blend of many
// rows under a clip region to worker threads, and waking them costs many times what blending
// these pictures costs on this thread.
void blitImage(QPainter& painter, QPoint at, const QImage& image, const QRect& source);
inline void blitImage(QPainter& painter, QPoint at, const QImage& image)
{
    blitImage(painter, at, image, image.rect());
}

// The vector picture in `path` drawn over a transparent ground, stretched to `size` logical
// pixels, for a screen of `pixelRatio` device pixels per logical pixel, its text in `font` where
// the picture names no font property of its own (as on a control whose font that is). It is drawn
// the first time it is asked for and kept from then on: later calls, from any thread, only copy a
// reference. A file that cannot be read gives a null image (and is not read again).
QImage svgImage(const QString& path, QSize size, qreal pixelRatio = 1.0, const QFont& font = QFont());

// Starts drawing that picture on a background thread, unless it is drawn or being drawn already,
// so that its first showing finds it ready; svgImage waits for a drawing under way.
void prepareSvgImage(const QString& path, QSize size, qreal pixelRatio = 1.0, const QFont& font = QFont());

// The icon made from `path`, one per path for the process, so that the pictures it draws for its
// sizes are drawn once. Only on the user-interface thread.
QIcon cachedIcon(const QString& path);

// The bitmap in `path`, read once per process. Only on the user-interface thread.
QPixmap cachedPixmap(const QString& path);

// A picture control: shows a vector picture stretched to the control's size, over whatever lies
// beneath it, with its text in the control's font, as Qt's own picture control does; painting
// only copies the kept drawing of svgImage.
class SvgPicture : public QWidget {
public:
    explicit SvgPicture(const QString& path, QWidget* parent = nullptr);

    const QString& path() const { return m_path; }
    // What the control shows at its present size (null when the file cannot be read).
    QImage picture() const;
    // Starts drawing it at its present size in the background (see prepareSvgImage).
    void prepare();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_path;
};

} // namespace platform
