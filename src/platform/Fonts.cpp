// The fonts the windows name, mapped onto fonts installed with the program.
#include "Fonts.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

struct FontRow {
    const char* name; // as the windows name it
    const char* family; // installed family that stands for it
    QFont::StyleHint hint;
};

// Families of similar widths to the named ones, so that texts fit the boxes laid out for them.
constexpr FontRow fontTable[] = {
    {"ms sans serif", "Liberation Sans", QFont::SansSerif},
    {"ms serif", "Liberation Serif", QFont::Serif},
    {"symbol", "Liberation Serif", QFont::Serif},
    {"comic sans ms", "Comic Neue", QFont::Cursive},
    {"arial", "Liberation Sans", QFont::SansSerif},
    {"agency fb", "Liberation Sans Narrow", QFont::SansSerif},
};

const FontRow& rowFor(const QString& name)
{
    const QString key = name.trimmed().toLower();
    for (const FontRow& row : fontTable) {
        if (key == QLatin1String(row.name))
            return row;
    }
    return fontTable[0];
}

QFont makeFont(const FontRow& row, int pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(row.family));
    font.setStyleHint(row.hint);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // Fixed rendering choices, so that a drawing comes out the same on any display settings.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace

int fontPixelSize(double pointSize)
{
    if (!(pointSize > 0.0))
        return 1;
    return std::clamp(int(std::lround(pointSize * 96.0 / 72.0)), 1, 4096);
}

QFont mappedFont(const QString& name, double pointSize, bool bold)
{
    return makeFont(rowFor(name), fontPixelSize(pointSize), bold);
}

bool isSymbolFont(const QString& name)
{
    return name.trimmed().compare(QLatin1String("symbol"), Qt::CaseInsensitive) == 0;
}

QString symbolText(const QString& text)
{
    // Letters of the symbol character set and the Greek letters they show.
    static const QHash<QChar, QChar> table = [] {
        const char16_t* latin = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-";
        const char16_t* greek = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ−";
        QHash<QChar, QChar> map;
        for (int i = 0; latin[i] != 0; ++i)
            map.insert(QChar(latin[i]), QChar(greek[i]));
        return map;
    }();
    QString out = text;
    for (QChar& c : out)
        c = table.value(c, c);
    return out;
}

} // namespace platform
