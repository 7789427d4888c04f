// The program's vector pictures, as picture controls.
#include "Pictures.h"

#include <QEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <QtConcurrent/QtConcurrentRun>

namespace platform {

namespace {

// The picture over a transparent ground, so that what lies beneath shows through. The font
// travels as its description: one font object is not to be used by two threads at once.
QImage drawSvg(const QString& path, QSize size, qreal ratio, const QString& font, QFont::HintingPreference hinting)
{
    QSvgRenderer renderer(path);
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    if (!renderer.isValid() || image.isNull())
        return {};
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QFont shown;
    shown.fromString(font);
    shown.setHintingPreference(hinting);
    QPainter painter(&image);
    painter.setFont(shown);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace

SvgPicture::SvgPicture(const QString& path, QWidget* parent) : QWidget(parent), m_path(path) {}

SvgPicture::~SvgPicture()
{
    // A drawing started ahead is waited for, and kept for the next window of the same pictures.
    if (m_preparing.isValid()) {
        if (const QImage image = m_preparing.result(); !image.isNull())
            QPixmapCache::insert(m_preparingKey, QPixmap::fromImage(image));
    }
}

QString SvgPicture::cacheKey() const
{
    return QStringLiteral("SvgPicture|%1|%2x%3@%4|%5|%6")
        .arg(m_path)
        .arg(width())
        .arg(height())
        .arg(devicePixelRatioF())
        .arg(font().toString())
        .arg(int(font().hintingPreference()));
}

void SvgPicture::prepare()
{
    if (size().isEmpty() || !m_drawn.isNull() || m_preparing.isValid())
        return;
    const QString key = cacheKey();
    if (QPixmapCache::find(key, nullptr))
        return;
    m_preparingKey = key;
    m_preparing = QtConcurrent::run(drawSvg, m_path, size(), devicePixelRatioF(), font().toString(),
                                    font().hintingPreference());
}

const QPixmap& SvgPicture::drawn() const
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (!m_drawn.isNull() && m_drawn.size() == pixels && m_drawn.devicePixelRatio() == ratio)
        return m_drawn;
    m_drawn = QPixmap();
    const QString key = cacheKey();
    if (pixels.isEmpty() || QPixmapCache::find(key, &m_drawn))
        return m_drawn;
    QImage image;
    if (m_preparing.isValid() && m_preparingKey == key) {
        image = m_preparing.result(); // at once, or once the drawing under way is done
        m_preparing = {};
    } else {
        image = drawSvg(m_path, size(), ratio, font().toString(), font().hintingPreference());
    }
    if (image.isNull())
        return m_drawn;
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
