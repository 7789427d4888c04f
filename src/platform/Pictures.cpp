// The program's pictures, each drawn once per process and then only copied to the screen.
#include "Pictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QSvgRenderer>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// Drawing a picture with text in it takes milliseconds (every letter is an outline); a window
// shows a dozen of them on each paint, so each is drawn once and kept. A picture being drawn in
// the background is kept as the drawing to come, which whoever needs it first waits for.
struct SvgImages {
    QMutex mutex;
    QHash<QString, QFuture<QImage>> images;
    QThreadPool* pool = nullptr; // for drawings started ahead, apart from the program's other work
};

SvgImages& svgImages()
{
    static SvgImages cache;
    return cache;
}

// Runs as the application closes, while fonts are still there: drawings not started are
// dropped, those under way waited for, and the kept ones let go.
void closeSvgImages()
{
    SvgImages& cache = svgImages();
    QMutexLocker lock(&cache.mutex);
    QThreadPool* pool = std::exchange(cache.pool, nullptr);
    const QList<QFuture<QImage>> drawings = cache.images.values();
    cache.images.clear();
    lock.unlock();
    for (QFuture<QImage> drawing : drawings) {
        drawing.cancel();
        drawing.waitForFinished();
    }
    if (pool) {
        pool->waitForDone();
        delete pool;
    }
}

// A picture's text takes from the painter's font whatever the picture leaves unsaid (its weight,
// among others), and a control paints with its own font: the font is part of what is drawn. It
// travels as a description, from which each drawing makes a font of its own, since one font
// object may not be used by two threads at once.
struct FontDescription {
    QString text;
    QFont::HintingPreference hinting = QFont::PreferDefaultHinting;

    explicit FontDescription(const QFont& font) : text(font.toString()), hinting(font.hintingPreference()) {}
    QFont font() const
    {
        QFont made;
        made.fromString(text);
        made.setHintingPreference(hinting);
        return made;
    }
};

QString svgKey(const QString& path, QSize size, qreal pixelRatio, const FontDescription& font)
{
    return QStringLiteral("%1|%2x%3@%4|%5|%6")
        .arg(path)
        .arg(size.width())
        .arg(size.height())
        .arg(pixelRatio)
        .arg(font.text)
        .arg(int(font.hinting));
}

QImage drawSvg(const QString& path, QSize size, qreal pixelRatio, const FontDescription& font)
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
    painter.setFont(font.font());
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

bool onUserInterfaceThread()
{
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

// The icon or pixmap made from `path`, made once and kept for the application's life; let go
// with it, since icons and pixmaps must not outlive it.
template <class T>
T cachedFromPath(const QString& path)
{
    Q_ASSERT(onUserInterfaceThread());
    static QHash<QString, T> cache;
    if (cache.isEmpty())
        qAddPostRoutine([] { cache.clear(); });
    auto found = cache.find(path);
    if (found == cache.end())
        found = cache.insert(path, T(path));
    return *found;
}

} // namespace

void blitImage(QPainter& painter, QPoint at, const QImage& image, const QRect& source)
{
    // Under 96 rows a blend stays on the calling thread.
    constexpr int band = 64;
    const QRect part = source & image.rect();
    if (image.devicePixelRatio() != 1.0) {
        // Bands of a scaled picture could fall between pixels; draw it whole.
        painter.drawImage(QPointF(at), image, QRectF(part));
        return;
    }
    for (int y = part.top(); y <= part.bottom(); y += band) {
        const QRect rows(part.left(), y, part.width(), std::min(band, part.bottom() + 1 - y));
        painter.drawImage(at + rows.topLeft() - part.topLeft(), image, rows);
    }
}

QImage svgImage(const QString& path, QSize size, qreal pixelRatio, const QFont& font)
{
    if (size.isEmpty() || !(pixelRatio > 0))
        return {};
    const FontDescription description(font);
    const QString key = svgKey(path, size, pixelRatio, description);
    SvgImages& cache = svgImages();
    QMutexLocker lock(&cache.mutex);
    if (const auto found = cache.images.constFind(key); found != cache.images.cend()) {
        QFuture<QImage> drawing = *found;
        lock.unlock();
        return drawing.result(); // at once, or when the background drawing is done
    }
    // Drawn outside the lock, so that several pictures can be drawn at once; two threads that
    // draw the same one get the same pixels, and the first kept is the one used.
    lock.unlock();
    const QImage drawn = drawSvg(path, size, pixelRatio, description);
    lock.relock();
    auto kept = cache.images.find(key);
    if (kept == cache.images.end())
        kept = cache.images.insert(key, QtFuture::makeReadyFuture(drawn));
    QFuture<QImage> drawing = *kept;
    lock.unlock();
    return drawing.result();
}

void prepareSvgImage(const QString& path, QSize size, qreal pixelRatio, const QFont& font)
{
    if (size.isEmpty() || !(pixelRatio > 0) || !QCoreApplication::instance())
        return;
    const FontDescription description(font);
    const QString key = svgKey(path, size, pixelRatio, description);
    SvgImages& cache = svgImages();
    QMutexLocker lock(&cache.mutex);
    if (cache.images.contains(key))
        return;
    if (!cache.pool) {
        cache.pool = new QThreadPool;
        // Half the cores: the user interface and the plot keep the others.
        cache.pool->setMaxThreadCount(std::max(1, QThread::idealThreadCount() / 2));
        qAddPostRoutine(closeSvgImages);
    }
    cache.images.insert(key, QtConcurrent::run(cache.pool, drawSvg, path, size, pixelRatio, description));
}

QIcon cachedIcon(const QString& path)
{
    return cachedFromPath<QIcon>(path);
}

QPixmap cachedPixmap(const QString& path)
{
    return cachedFromPath<QPixmap>(path);
}

SvgPicture::SvgPicture(const QString& path, QWidget* parent) : QWidget(parent), m_path(path) {}

QImage SvgPicture::picture() const
{
    return svgImage(m_path, size(), devicePixelRatioF(), font());
}

void SvgPicture::prepare()
{
    prepareSvgImage(m_path, size(), devicePixelRatioF(), font());
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    const QImage shown = picture();
    if (!shown.isNull()) {
        QPainter painter(this);
        blitImage(painter, QPoint(0, 0), shown);
    }
}

} // namespace platform
