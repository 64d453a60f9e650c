#pragma once

#include <QStringList>

// Lower-case suffixes, without dot, that each picture page accepts.
class ExtensionLists final
{
public:
    static const QStringList& allPictures();
    static const QStringList& heic();
    static const QStringList& raw();
    static const QStringList& compression();
    static const QStringList& gif();
    static const QStringList& crop();
    static const QStringList& rotate();
    static const QStringList& pdfInput();
    static const QStringList& pdf();
};
