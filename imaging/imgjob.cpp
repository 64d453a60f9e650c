#include "imaging/imgjob.h"

namespace ImgJobRecords {
namespace {
int intOr(const ImgJobRecord& record, const char* key, int absent)
{
    const QString value = record.value(QLatin1String(key));
    return value.isEmpty() ? absent : value.toInt();
}
} // namespace

ImgJobRecord make(int row, const QString& path)
{
    return {{QLatin1String(kId), QString::number(row)}, {QLatin1String(kPath), path}};
}

int row(const ImgJobRecord& record)
{
    return record.value(QLatin1String(kId)).toInt();
}

QString path(const ImgJobRecord& record)
{
    return record.value(QLatin1String(kPath));
}

QRect crop(const ImgJobRecord& record)
{
    return QRect(intOr(record, kCropX, -1), intOr(record, kCropY, -1), intOr(record, kCropWidth, -1),
                 intOr(record, kCropHeight, -1));
}

void setCrop(ImgJobRecord& record, const QRect& crop)
{
    record.insert(QLatin1String(kCropX), QString::number(crop.x()));
    record.insert(QLatin1String(kCropY), QString::number(crop.y()));
    record.insert(QLatin1String(kCropWidth), QString::number(crop.width()));
    record.insert(QLatin1String(kCropHeight), QString::number(crop.height()));
}

int definition(const ImgJobRecord& record)
{
    return intOr(record, kDefinition, 0);
}

bool combinesPages(const ImgJobRecord& record)
{
    // "0" joins, and a missing value counts as 0.
    return intOr(record, kCombine, 0) == 0;
}

void setPdfOptions(ImgJobRecord& record, int definition, bool combinePages)
{
    record.insert(QLatin1String(kDefinition), QString::number(definition));
    record.insert(QLatin1String(kCombine), combinePages ? QStringLiteral("0") : QStringLiteral("1"));
}
} // namespace ImgJobRecords
