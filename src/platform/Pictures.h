// The program's pictures, each drawn once per process and then only copied to the screen.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

namespace platform {

// The vector picture in `path` drawn over a transparent ground, stretched to `size` logical
// pixels, for a screen of `pixelRatio` device pixels per logical pixel. It is drawn the first time
// it is asked for and kept from then on: later calls, from any thread, only copy a reference.
// A file that cannot be read gives a null image (and is not read again).
QImage svgImage(const QString& path, QSize size, qreal pixelRatio = 1.0);

// The icon made from `path`, one per path for the process, so that the pictures it draws for its
// sizes are drawn once. Only on the user-interface thread.
QIcon cachedIcon(const QString& path);

// The bitmap in `path`, read once per process. Only on the user-interface thread.
QPixmap cachedPixmap(const QString& path);

// A picture control: shows a vector picture stretched to the control's size, transparent where
// the picture is, by copying the kept drawing of svgImage.
class SvgPicture : public QWidget {
public:
    explicit SvgPicture(const QString& path, QWidget* parent = nullptr);

    const QString& path() const { return m_path; }
    // What the control shows at its present size (null when the file cannot be read).
    QImage picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_path;
};

} // namespace platform
