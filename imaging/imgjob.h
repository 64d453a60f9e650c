#pragma once

#include "imaging/imgformat.h"
#include "imaging/imgoperation.h"

#include <QMap>
#include <QRect>
#include <QString>

// One file of a picture batch: "id" (row index), "path", and keys some tools add.
using ImgJobRecord = QMap<QString, QString>;

// The record's keys, named once, and the typed way to read and write them.
namespace ImgJobRecords {
inline const char* const kId = "id";
inline const char* const kPath = "path";
inline const char* const kCropX = "cropX";
inline const char* const kCropY = "cropY";
inline const char* const kCropWidth = "cropWidth";
inline const char* const kCropHeight = "cropHeight";
inline const char* const kDefinition = "imgDefinitionValue";
inline const char* const kCombine = "pdfToImgCombineValue";

ImgJobRecord make(int row, const QString& path);
int row(const ImgJobRecord& record);
QString path(const ImgJobRecord& record);
// x == -1 when the record has no crop; a missing or empty key reads as -1.
QRect crop(const ImgJobRecord& record);
void setCrop(ImgJobRecord& record, const QRect& crop);
// PDF to images: density choice 0 to 2 and whether the pages are joined into one picture.
int definition(const ImgJobRecord& record);
bool combinesPages(const ImgJobRecord& record);
void setPdfOptions(ImgJobRecord& record, int definition, bool combinePages);
} // namespace ImgJobRecords

// What a page hands the batch runner besides the records.
struct ImgJobParams
{
    ImgOperation operation = ImgOperation::Conversion;
    ImgFormat format = ImgFormat::Jpg;
    int level = -1;
    int width = -1;
    int height = -1;
    QString rotate;
    bool flop = false;
    bool flip = false;
    QString outputDir;
};
