#include "style/stylesheet.h"

#include "style/palette.h"

#include <QHash>

QColor Palette::color(const Colour& colour)
{
    return QColor(QLatin1String(colour.hex));
}

QString StyleSheet::make(const char* pattern)
{
    static const QHash<QString, QString> hexByToken = [] {
        QHash<QString, QString> table;
        for (const Palette::Colour& colour : Palette::kAll)
            table.insert(QLatin1String(colour.token), QLatin1String(colour.hex));
        return table;
    }();
    const QString sheet = QString::fromUtf8(pattern);
    QString out;
    out.reserve(sheet.size());
    int pos = 0;
    while (pos < sheet.size()) {
        const int at = sheet.indexOf(QLatin1Char('@'), pos);
        if (at < 0)
            break;
        // The whole name is read, so "@blueButtonHover" is never "@blueButton" + "Hover".
        int end = at + 1;
        while (end < sheet.size() && sheet.at(end).isLetterOrNumber())
            ++end;
        const auto found = hexByToken.constFind(sheet.mid(at + 1, end - at - 1));
        out += sheet.midRef(pos, at - pos);
        out += found != hexByToken.constEnd() ? *found : sheet.mid(at, end - at);
        pos = end;
    }
    out += sheet.midRef(pos);
    return out;
}

const QString& StyleSheet::textLabel()
{
    static const QString sheet = make("QLabel{color:@text;}");
    return sheet;
}
