// The program's vector pictures, as picture controls.
#include "Pictures.h"

#include <QEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace platform {

SvgPicture::SvgPicture(const QString& path, QWidget* parent) : QWidget(parent), m_path(path) {}

const QPixmap& SvgPicture::drawn() const
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (!m_drawn.isNull() && m_drawn.size() == pixels && m_drawn.devicePixelRatio() == ratio)
        return m_drawn;
    m_drawn = QPixmap();
    const QString key = QStringLiteral("SvgPicture|%1|%2x%3@%4|%5|%6")
                            .arg(m_path)
                            .arg(width())
                            .arg(height())
                            .arg(ratio)
                            .arg(font().key())
                            .arg(int(font().hintingPreference()));
    if (pixels.isEmpty() || QPixmapCache::find(key, &m_drawn))
        return m_drawn;
    QSvgRenderer renderer(m_path);
    if (!renderer.isValid())
        return m_drawn;
    // Over a transparent ground, so that what lies beneath shows through.
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return m_drawn;
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font());
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size())));
    painter.end();
    m_drawn = QPixmap::fromImage(std::move(image));
    QPixmapCache::insert(key, m_drawn);
    return m_drawn;
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    if (const QPixmap& shown = drawn(); !shown.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(QPoint(0, 0), shown);
    }
}

void SvgPicture::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_drawn = QPixmap();
    QWidget::changeEvent(event);
}

} // namespace platform
