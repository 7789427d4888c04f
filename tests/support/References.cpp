#include "References.h"

#include "PictureBox.h"
#include "Pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QToolButton>


namespace {

QString quoted(QString text)
{
    return QLatin1Char('"') + text.replace(u'\r', QLatin1String("\\r")).replace(u'\n', QLatin1String("\\n")) + u'"';
}

QString fontOf(const QFont& font)
{
    const QString size = font.pixelSize() > 0 ? QStringLiteral("%1px").arg(font.pixelSize())
                                              : QStringLiteral("%1pt").arg(font.pointSizeF());
    return QStringLiteral("font %1 %2%3").arg(quoted(font.family()), size, font.bold() ? " bold" : "");
}

template <class Enum>
QString keyOf(Enum value)
{
    return QString::fromLatin1(QMetaEnum::fromType<Enum>().valueToKey(value));
}

QString iconDigest(const QIcon& icon)
{
    const QImage image = icon.pixmap(36, 36).toImage().convertToFormat(QImage::Format_RGB32);
    const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    const QByteArray digest = QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().left(8);
    return icon.isNull() ? QStringLiteral("none") : QString::fromLatin1(digest);
}

// The text a control shows of its own.
QString textOf(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->pixmap().isNull()
                   ? label->text()
                   : QStringLiteral("(%1x%2 picture)").arg(label->pixmap().width()).arg(label->pixmap().height());
    if (auto* box = qobject_cast<const QCheckBox*>(w))
        return box->text() + (box->isChecked() ? QStringLiteral("[x]") : QStringLiteral("[ ]"));
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    if (auto* group = qobject_cast<const QGroupBox*>(w))
        return group->title();
    if (auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->currentText();
    QStringList sections; // of a list's heading; its rows are the file system's
    if (auto* header = qobject_cast<const QHeaderView*>(w); header && header->model())
        for (int i = 0; i < header->count(); ++i)
            sections << header->model()->headerData(i, header->orientation()).toString();
    return sections.join(QLatin1String(" | "));
}

// A menu's entries, with what would mark one out: a shortcut, a check mark, a greyed state.
QString actionsOf(const QList<QAction*>& actions, const QString& indent)
{
    QString out;
    for (const QAction* a : actions) {
        out += QStringLiteral("%1%2 %3%4%5%6%7\n")
                   .arg(indent, a->objectName(), quoted(a->text()), a->shortcut().toString(),
                        a->isCheckable() ? QStringLiteral(" checkable") : QString(),
                        a->isEnabled() ? QString() : QStringLiteral(" disabled"),
                        a->menu() ? QLatin1Char(' ') + fontOf(a->menu()->font()) : QString());
        if (a->menu())
            out += actionsOf(a->menu()->actions(), indent + QStringLiteral("  "));
    }
    return out;
}

// A line for each control that has a name of its own or shows a text; a window's places are its
// layout's, a dialog's are Qt's and left out.
void describeInto(QString& out, const QWidget* w, const QString& indent, bool places, bool root = false)
{
    const QString name = w->objectName(), text = textOf(w);
    const bool own = !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
    auto* bar = qobject_cast<const QMenuBar*>(w);
    if (root || own || bar || !text.isEmpty() || !w->toolTip().isEmpty()) {
        const QString kind = QString::fromLatin1(w->metaObject()->className()).section(QLatin1String("::"), -1);
        QStringList line{name.isEmpty() ? QStringLiteral("-") : name, kind};
        const QRect g = w->geometry();
        if (root) // the icon by a digest of it as a title bar shows it, the program's in tests/references/icon.png
            line << quoted(w->windowTitle()) << QStringLiteral("pointer ") + keyOf(w->cursor().shape())
                 << QStringLiteral("icon ") + iconDigest(w->windowIcon());
        if (places)
            line << (root ? QString() : QStringLiteral("%1,%2 ").arg(g.x()).arg(g.y()))
                        + QStringLiteral("%1x%2").arg(g.width()).arg(g.height());
        if (auto* box = qobject_cast<const QMessageBox*>(w))
            line << QStringLiteral("icon ") + keyOf(box->icon());
        if (!root && (!text.isEmpty() || qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w)))
            line << quoted(text);
        if (!w->toolTip().isEmpty())
            line << QStringLiteral("tip ") + quoted(w->toolTip());
        if (auto* picture = dynamic_cast<const platform::SvgPicture*>(w))
            line << picture->path();
        if (auto* box = dynamic_cast<const platform::PictureBox*>(w))
            line << QStringLiteral("back ") + QColor(box->BackColor()).name();
        if (auto* edit = qobject_cast<const QLineEdit*>(w); edit && edit->alignment() & Qt::AlignHCenter)
            line << QStringLiteral("centred");
        if (!text.isEmpty() || bar)
            line << fontOf(w->font());
        if ((!text.isEmpty() || bar) && places)
            line << QStringLiteral("colour ") + w->palette().color(w->foregroundRole()).name();
        if (auto* button = qobject_cast<const QPushButton*>(w); button && button->isDefault())
            line << QStringLiteral("default");
        if (w->isHidden())
            line << QStringLiteral("hidden");
        // A dialog's way back depends on when the file system answers: its arrows are left out.
        if (!w->isEnabled() && (places || !qobject_cast<const QToolButton*>(w)))
            line << QStringLiteral("disabled");
        out += indent + line.join(u' ') + u'\n';
        if (bar)
            out += actionsOf(bar->actions(), indent + QStringLiteral("  "));
    }
    if (root || !w->isHidden()) // what a hidden control holds is not seen
        for (const QObject* child : w->children())
            if (auto* c = qobject_cast<const QWidget*>(child); c && !c->isWindow() && !qobject_cast<const QMenu*>(c))
                describeInto(out, c, own || root ? indent + QStringLiteral("  ") : indent, places);
}

QString referencePath(const QString& state, const char* suffix)
{
    return QStringLiteral(TRIVELAS_REFERENCES "/%1.%2").arg(state, QLatin1String(suffix));
}

QString mismatchPath(const QString& name)
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/reference-mismatches");
    QDir().mkpath(dir);
    return dir + u'/' + name;
}

bool updating()
{
    return qEnvironmentVariableIntValue("TRIVELAS_UPDATE_REFERENCES") != 0;
}

} // namespace

// A picture kept as its differences from the base state's, over a transparent ground: the states
// of a window share most of their pixels.
QImage referencePicture(const QString& state, const QString& base)
{
    const QImage kept(referencePath(state, "png"));
    QImage picture = base.isEmpty() ? kept.convertToFormat(QImage::Format_RGB32) : referencePicture(base);
    for (int y = 0; !base.isEmpty() && y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (kept.valid(x, y) && qAlpha(kept.pixel(x, y)) == 255)
                picture.setPixel(x, y, kept.pixel(x, y));
    return picture;
}

QImage pictureOf(QWidget* window)
{
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QString describe(const QWidget* widget)
{
    QString out;
    describeInto(out, widget, {}, !qobject_cast<const QDialog*>(widget), true);
    return out.replace(QCoreApplication::applicationDirPath(), QStringLiteral("<pasta do programa>"));
}

QString referenceMismatch(const QImage& picture, const QString& state, const QString& base)
{
    const QImage got = picture.convertToFormat(QImage::Format_RGB32);
    const QString path = referencePath(state, "png");
    const QImage expected = referencePicture(state, base);
    if (expected == got)
        return {};
    if (updating()) {
        QImage kept = got.convertToFormat(QImage::Format_ARGB32);
        const QImage under = base.isEmpty() ? QImage() : referencePicture(base);
        for (int y = 0; y < got.height(); ++y)
            for (int x = 0; x < got.width(); ++x)
                if (under.valid(x, y) && under.pixel(x, y) == got.pixel(x, y))
                    kept.setPixel(x, y, 0);
        return kept.save(path, "PNG", 0) ? QString() : QStringLiteral("cannot write ") + path;
    }
    const QString gotPath = mismatchPath(state + QStringLiteral(".png"));
    const QString diffPath = mismatchPath(state + QStringLiteral("-diff.png"));
    got.save(gotPath);
    if (expected.size() != got.size())
        return QStringLiteral("%1: the picture is %2x%3, its reference %4x%5 (%6); got %7").arg(state)
            .arg(got.width()).arg(got.height()).arg(expected.width()).arg(expected.height()).arg(path, gotPath);
    QImage diff(got.size(), QImage::Format_RGB32); // the reference faded, the differing pixels in red
    int count = 0;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x) {
            const int grey = 192 + qGray(expected.pixel(x, y)) / 4;
            const bool same = got.pixel(x, y) == expected.pixel(x, y);
            count += !same;
            diff.setPixel(x, y, same ? qRgb(grey, grey, grey) : qRgb(255, 0, 0));
        }
    diff.save(diffPath);
    return QStringLiteral("%1: %2 pixels differ from %3; got %4, differences %5")
        .arg(state).arg(count).arg(path, gotPath, diffPath);
}

QString referenceMismatch(const QString& description, const QString& state)
{
    const QString path = referencePath(state, "txt");
    QFile file(path);
    const QString expected = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    if (expected == description)
        return {};
    QFile got(updating() ? path : mismatchPath(state + QStringLiteral(".txt")));
    const bool written = got.open(QIODevice::WriteOnly) && got.write(description.toUtf8()) >= 0;
    if (updating())
        return written ? QString() : QStringLiteral("cannot write ") + path;
    const QStringList a = expected.split(u'\n'), b = description.split(u'\n');
    qsizetype line = 0;
    while (line < a.size() && line < b.size() && a[line] == b[line])
        ++line;
    return QStringLiteral("%1: the description differs from %2 (got %3), first at line %4:\n- %5\n+ %6")
        .arg(state, path, got.fileName()).arg(line + 1).arg(a.value(line), b.value(line));
}

QString referenceMismatch(QWidget* window, const QString& state, const QString& base)
{
    const QString picture = referenceMismatch(pictureOf(window), state, base);
    const QString text = referenceMismatch(describe(window), state);
    return picture.isEmpty() || text.isEmpty() ? picture + text : picture + u'\n' + text;
}
