#pragma once

#include <QMap>
#include <QString>

// One file of a picture batch: "id" (row index), "path", and keys some tools add.
using ImgJobRecord = QMap<QString, QString>;

// What a page hands the batch runner besides the records.
struct ImgJobParams
{
    int operation = 0;
    int format = 0;
    int level = -1;
    int width = -1;
    int height = -1;
    QString rotate;
    bool flop = false;
    bool flip = false;
    QString outputDir;
};
