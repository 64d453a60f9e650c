#include "style/stylesheet.h"

#include "style/palette.h"

QColor Palette::color(const Colour& colour)
{
    return QColor(QLatin1String(colour.hex));
}

QString StyleSheet::make(const char* pattern)
{
    QString sheet = QString::fromUtf8(pattern);
    if (!sheet.contains(QLatin1Char('@')))
        return sheet;
    // Longest names first, so "@blueButtonHover" is not read as "@blueButton" + "Hover".
    QList<const Palette::Colour*> colours;
    for (const Palette::Colour& colour : Palette::kAll)
        colours << &colour;
    std::sort(colours.begin(), colours.end(), [](const Palette::Colour* a, const Palette::Colour* b) {
        return qstrlen(a->token) > qstrlen(b->token);
    });
    for (const Palette::Colour* colour : colours)
        sheet.replace(QLatin1Char('@') + QLatin1String(colour->token), QLatin1String(colour->hex));
    return sheet;
}

const QString& StyleSheet::textLabel()
{
    static const QString sheet = make("QLabel{color:@text;}");
    return sheet;
}
