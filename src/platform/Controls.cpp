// Frames and buttons that paint as Qt's own do, but reuse what the style drew for an earlier one
// of the same look, so that a window opened again paints in a fraction of the time.
#include "Controls.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

// Kept for the application's life and let go with it.
template <class T>
T& guiCache()
{
    static T cache;
    if (cache.empty())
        qAddPostRoutine([] { T().swap(cache); });
    return cache;
}

// What a frame's border looks like: everything the style reads to draw it.
struct FrameLook {
    const QStyle* style;
    QSize size;
    qreal pixelRatio;
    int state;
    int direction;
    int features;
    int lineWidth;
    int midLineWidth;
    int fontHeight; // the caption's height sets where the border starts
    bool titled;
    bool checkable;
    qint64 palette;

    bool operator==(const FrameLook&) const = default;
};

struct FrameImage {
    FrameLook look;
    QImage image;
};

// The few border drawings of the program's frames; a bound keeps any unforeseen variety small.
constexpr std::size_t maxFrameImages = 64;

} // namespace

QPalette sharedPalette(const QPalette& palette)
{
    auto& palettes = guiCache<std::vector<QPalette>>();
    for (const QPalette& kept : palettes) {
        if (kept.isCopyOf(palette) || kept == palette) {
            QPalette shared = kept;
            shared.setCurrentColorGroup(palette.currentColorGroup());
            return shared;
        }
    }
    constexpr std::size_t maxPalettes = 32;
    if (palettes.size() >= maxPalettes)
        palettes.erase(palettes.begin());
    palettes.push_back(palette);
    return palette;
}

void GroupFrame::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.palette = sharedPalette(option.palette);

    if (option.subControls & QStyle::SC_GroupBoxFrame) {
        // The border option, as the style makes it when it draws the whole frame.
        QStyleOptionFrame border;
        border.QStyleOption::operator=(option);
        border.features = option.features;
        border.lineWidth = option.lineWidth;
        border.midLineWidth = option.midLineWidth;
        const QRect place = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, this);
        border.rect = QRect(QPoint(0, 0), place.size());

        const FrameLook look{style(),
                             place.size(),
                             devicePixelRatioF(),
                             int(border.state),
                             int(border.direction),
                             int(border.features),
                             border.lineWidth,
                             border.midLineWidth,
                             border.fontMetrics.height(),
                             !title().isEmpty(),
                             isCheckable(),
                             qint64(border.palette.cacheKey())};
        auto& images = guiCache<std::vector<FrameImage>>();
        auto found = std::find_if(images.begin(), images.end(), [&](const FrameImage& f) { return f.look == look; });
        if (found == images.end()) {
            QImage image(place.size() * look.pixelRatio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(look.pixelRatio);
            image.fill(Qt::transparent);
            if (!image.isNull()) {
                QPainter onImage(&image);
                style()->drawPrimitive(QStyle::PE_FrameGroupBox, &border, &onImage, this);
            }
            if (images.size() >= maxFrameImages)
                images.erase(images.begin());
            images.push_back({look, image});
            found = images.end() - 1;
        }
        painter.drawImage(place.topLeft(), found->image);
        option.subControls &= ~QStyle::SC_GroupBoxFrame;
    }
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

void PushButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.palette = sharedPalette(option.palette);
    painter.drawControl(QStyle::CE_PushButton, option);
}

void ToolButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.palette = sharedPalette(option.palette);
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

} // namespace platform
