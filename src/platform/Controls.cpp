// Frames, buttons and captions that paint as Qt's own do, but reuse what was drawn for an earlier
// one of the same look, so that a window opened again paints in a fraction of the time.
#include "Controls.h"

#include "Pictures.h"

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

void GroupFrame::paintEvent(QPaintEvent* event)
{
    if (testAttribute(Qt::WA_StyleSheet)) {
        // Style sheet rules are not part of what is kept.
        QGroupBox::paintEvent(event);
        return;
    }
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
        blitImage(painter, place.topLeft(), found->image);
        option.subControls &= ~QStyle::SC_GroupBoxFrame;
    }
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

void CaptionLabel::paintEvent(QPaintEvent* event)
{
    const QPalette colours = sharedPalette(palette());
    const QBrush ground = colours.brush(backgroundRole());
    if (!autoFillBackground() || ground.style() != Qt::SolidPattern || !pixmap().isNull() || size().isEmpty()
        || testAttribute(Qt::WA_SetStyle) || testAttribute(Qt::WA_StyleSheet)) {
        QLabel::paintEvent(event);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    // Everything the label's look depends on; the text goes last, so that nothing in it can be
    // taken for a separator.
    const int state = int(colours.currentColorGroup()) | (isEnabled() ? 0x10 : 0)
                      | (layoutDirection() == Qt::RightToLeft ? 0x20 : 0) | (wordWrap() ? 0x40 : 0);
    const QList<qint64> numbers{qint64(colours.cacheKey()),  width(),       height(),
                                qint64(ratio * 1000),        state,         int(alignment()),
                                indent(),                    margin(),      int(textFormat()),
                                int(font().hintingPreference()), qint64(quintptr(style()))};
    QString key;
    for (qint64 number : numbers)
        key += QString::number(number) + QLatin1Char('|');
    key += font().key() + QChar(0) + text();

    auto& looks = guiCache<QHash<QString, QImage>>();
    auto found = looks.find(key);
    if (found == looks.end()) {
        // Drawn by a plain label of the same text, font, colours (those of this one's present
        // colour group, whatever group the twin paints in) and size, over the same ground.
        QLabel twin(text());
        QPalette flat;
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role != QPalette::NoRole)
                flat.setBrush(QPalette::ColorRole(role), colours.brush(QPalette::ColorRole(role)));
        }
        twin.setPalette(flat);
        QFont shown = font();
        shown.setResolveMask(QFont::AllPropertiesResolved);
        twin.setFont(shown);
        twin.setTextFormat(textFormat());
        twin.setAlignment(alignment());
        twin.setIndent(indent());
        twin.setMargin(margin());
        twin.setWordWrap(wordWrap());
        twin.setLayoutDirection(layoutDirection());
        twin.setEnabled(isEnabled());
        twin.setAutoFillBackground(true);
        twin.resize(size());

        QImage look(size() * ratio, QImage::Format_RGB32);
        look.setDevicePixelRatio(ratio);
        look.fill(ground.color());
        twin.render(&look);
        constexpr qsizetype maxLooks = 256;
        if (looks.size() >= maxLooks)
            looks.clear();
        found = looks.insert(key, look);
    }
    QPainter painter(this);
    blitImage(painter, QPoint(0, 0), *found);
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
