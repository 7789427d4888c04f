// The program's vector pictures, as picture controls.
#pragma once

#include <QFuture>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace platform {

// A picture control: shows a vector picture stretched to the control's size, over whatever lies
// beneath it, with its text in the control's font where the picture names no font property of
// its own, as Qt's own picture control does. Drawing a picture with text takes milliseconds (every
// letter is an outline) and a window shows the same pictures each time it opens: what is drawn is
// kept by the control, and in Qt's pixmap cache for the next window.
class SvgPicture : public QWidget {
public:
    explicit SvgPicture(const QString& path, QWidget* parent = nullptr);
    ~SvgPicture() override;

    // Starts drawing the picture at the control's present size on another thread, unless it is
    // drawn already, so that its first showing finds it drawn (the next page of the commentary).
    void prepare();

    const QString& path() const { return m_path; }
    // What the control shows at its present size (null when the file cannot be read).
    QImage picture() const { return drawn().toImage(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const QPixmap& drawn() const;

    QString cacheKey() const;

    QString m_path;
    mutable QPixmap m_drawn; // null until shown, and after a change of font
    mutable QFuture<QImage> m_preparing; // a drawing under way for cacheKey() at its start
    QString m_preparingKey;
};

} // namespace platform
