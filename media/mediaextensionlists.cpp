#include "media/mediaextensionlists.h"

// Every video page also takes what phones, camcorders (AVCHD .mts/.m2ts), DVDs and the web write.

const QStringList& MediaExtensionLists::videoFormat()
{
    static const QStringList list{"mov", "kux",  "qlv", "qsv", "mp4", "avi", "flv", "wmv",  "mkv", "webm",
                                  "mpg", "mpeg", "3gp", "ogv", "m4v", "ts",  "mts", "m2ts", "vob"};
    return list;
}

const QStringList& MediaExtensionLists::videoCompression()
{
    static const QStringList list{"mp4", "avi",  "flv", "wmv", "mov", "kux", "qlv", "qsv",  "mkv", "webm",
                                  "mpg", "mpeg", "3gp", "ogv", "m4v", "ts",  "mts", "m2ts", "vob"};
    return list;
}

const QStringList& MediaExtensionLists::audioFormat()
{
    static const QStringList list{"mp3", "wav", "m4a", "wma", "aac", "flac", "ac3", "ogg"};
    return list;
}

const QStringList& MediaExtensionLists::videoEditing()
{
    static const QStringList list{"mp4", "avi",  "flv", "wmv", "mov", "kux", "qlv", "qsv",  "mkv", "webm",
                                  "mpg", "mpeg", "3gp", "ogv", "m4v", "ts",  "mts", "m2ts", "vob"};
    return list;
}

const QStringList& MediaExtensionLists::videoConcat()
{
    static const QStringList list{"mov", "kux",  "qlv", "qsv", "mp4", "avi", "flv", "wmv",  "mkv", "webm",
                                  "mpg", "mpeg", "3gp", "ogv", "m4v", "ts",  "mts", "m2ts", "vob"};
    return list;
}
