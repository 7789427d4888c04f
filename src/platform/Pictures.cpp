// The program's pictures, each drawn once per process and then only copied to the screen.
#include "Pictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QSvgRenderer>
#include <QThread>

namespace platform {

namespace {

// Drawing a picture with text in it takes milliseconds (every letter is an outline); a window
// shows a dozen of them on each paint, so each is drawn once and kept.
struct SvgImages {
    QMutex mutex;
    QHash<QString, QImage> images;
};

SvgImages& svgImages()
{
    static SvgImages cache;
    return cache;
}

QString svgKey(const QString& path, QSize size, qreal pixelRatio)
{
    return QStringLiteral("%1|%2x%3@%4").arg(path).arg(size.width()).arg(size.height()).arg(pixelRatio);
}

QImage drawSvg(const QString& path, QSize size, qreal pixelRatio)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

bool onUserInterfaceThread()
{
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Kept for the application's life and let go with it: icons and pixmaps must not outlive it.
template <class T>
QHash<QString, T>& guiCache()
{
    static QHash<QString, T> cache;
    if (cache.isEmpty())
        qAddPostRoutine([] { cache.clear(); });
    return cache;
}

} // namespace

QImage svgImage(const QString& path, QSize size, qreal pixelRatio)
{
    if (size.isEmpty() || !(pixelRatio > 0))
        return {};
    const QString key = svgKey(path, size, pixelRatio);
    SvgImages& cache = svgImages();
    {
        QMutexLocker lock(&cache.mutex);
        const auto found = cache.images.constFind(key);
        if (found != cache.images.cend())
            return *found;
    }
    // Drawn outside the lock, so that several pictures can be drawn at once; two threads that
    // draw the same one get the same pixels, and the first kept is the one used.
    const QImage drawn = drawSvg(path, size, pixelRatio);
    QMutexLocker lock(&cache.mutex);
    return *cache.images.insert(key, cache.images.value(key, drawn));
}

QIcon cachedIcon(const QString& path)
{
    Q_ASSERT(onUserInterfaceThread());
    QHash<QString, QIcon>& cache = guiCache<QIcon>();
    auto found = cache.find(path);
    if (found == cache.end())
        found = cache.insert(path, QIcon(path));
    return *found;
}

QPixmap cachedPixmap(const QString& path)
{
    Q_ASSERT(onUserInterfaceThread());
    QHash<QString, QPixmap>& cache = guiCache<QPixmap>();
    auto found = cache.find(path);
    if (found == cache.end())
        found = cache.insert(path, QPixmap(path));
    return *found;
}

SvgPicture::SvgPicture(const QString& path, QWidget* parent) : QWidget(parent), m_path(path) {}

QImage SvgPicture::picture() const
{
    return svgImage(m_path, size(), devicePixelRatioF());
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    const QImage shown = picture();
    if (!shown.isNull())
        QPainter(this).drawImage(QPointF(0, 0), shown);
}

} // namespace platform
