#include "platform/toolcheck.h"

#include "platform/toollauncher.h"

#include <QFileInfo>

QStringList ToolCheck::expectedTools()
{
    return {QStringLiteral("magick"),
            QStringLiteral("pngquant.2.12.3"),
            QStringLiteral("gifsicle"),
            QStringLiteral("decoder/ConverterToJpg/ConvertToJpg"),
            QStringLiteral("decoder/common/ffmpeg"),
            QStringLiteral("decoder/heif/heif-convert"),
            QStringLiteral("decoder/pdf/pdfinfo"),
            QStringLiteral("decoder/qlv/Qlv2mp4")};
}

QStringList ToolCheck::missingTools()
{
    QStringList missing;
    for (const QString& tool : expectedTools()) {
        const QFileInfo info(ToolLauncher::resolve(tool));
        if (!info.exists() || !info.isExecutable())
            missing << info.filePath();
    }
    return missing;
}
