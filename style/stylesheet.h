#pragma once

#include <QString>

// Style sheets with the palette's colours filled in, and the few sheets many widgets share.
class StyleSheet final
{
public:
    // "QLabel{color:@text;}" -> "QLabel{color:#484848;}". An unknown token is left as it is.
    static QString make(const char* pattern);

    // "QLabel{color:#484848;}": plain text in the house colour.
    static const QString& textLabel();
};
