// The five job procedures of ImgRunable: how each operation names its output and which tools it runs.
#include "imaging/extensionlists.h"
#include "imaging/heicinspector.h"
#include "imaging/imgrecipes.h"
#include "imaging/imgrunable.h"
#include "imaging/outputnamer.h"
#include "imaging/pagecounter.h"
#include "imaging/pdfplan.h"
#include "platform/logcategories.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>

QString ImgRunable::conversionProcedure(bool firstDot)
{
    const QString suffix = ImgFormats::suffix(m_params.format);
    m_stamp = QDateTime::currentDateTime().toString(QStringLiteral("ddhhmmss"));
    const QString base = ImgRecipes::baseName(m_source, firstDot);
    const QString sourceSuffix = QFileInfo(m_source).suffix().toLower();
    if (!firstDot && sourceSuffix == QLatin1String("pdf"))
        return pdfProcedure(base, suffix);
    QString source = m_source;
    if (!firstDot && ExtensionLists::raw().contains(sourceSuffix)) {
        source = decodeFirst(QStringLiteral("decoder/ConverterToJpg/ConvertToJpg"), m_source,
                             QStringLiteral("jpg"));
        if (source.isEmpty())
            return claimOutput(base, suffix);
    }
    if (ExtensionLists::heic().contains(sourceSuffix) && HeicInspector::hasAlpha(m_source)) {
        // ImageMagick 6 drops a HEIC's alpha plane; libheif's converter keeps it, and the PNG then
        // takes the PNG path, so a JPEG target gets the white background a transparent PNG gets.
        // Its PNG carries the colour profile too.
        source = decodeFirst(QStringLiteral("decoder/heif/heif-convert"), m_source, QStringLiteral("png"));
        if (source.isEmpty())
            return claimOutput(base, suffix);
    } else if (ExtensionLists::heic().contains(sourceSuffix)) {
        // ImageMagick 6 reads a HEIC without its ICC profile; an iPhone's Display P3 photo then
        // looks washed out in every viewer.
        m_profile = saveHeicProfile();
    }
    m_sourcePages = PageCounter::pages(m_source);
    QString output;
    if (!firstDot && ImgRecipes::isMultiFrameSuffix(sourceSuffix)) {
        const QString folder = claimFolder(base);
        if (folder.isEmpty())
            return QString();
        output = folder + QLatin1Char('/') + base + QLatin1Char('.') + suffix;
        m_framesApart = ImgRecipes::framesApart(m_source, m_sourcePages, suffix);
    } else {
        output = claimOutput(base, suffix);
        if (output.isEmpty())
            return output;
    }
    convert(source, suffix, output);
    return m_claimedFolder.isEmpty() ? output : OutputNamer::numberFromOne(output);
}

QString ImgRunable::pdfProcedure(const QString& base, const QString& suffix)
{
    const int definition = ImgJobRecords::definition(m_record);
    const bool join = ImgJobRecords::combinesPages(m_record);
    const PdfPages pages = PageCounter::pdfPages(m_source);
    const QString problem = PdfPlan::problem(pages, ImgRecipes::density(definition).toInt(), join, suffix);
    if (!problem.isEmpty()) {
        m_toolsClean = false;
        m_failure = problem;
        m_kind = JobFailure::kindOfToolText(problem);
        if (m_kind == FailureKind::None && !pages.problem.isEmpty())
            m_kind = FailureKind::SourceUnreadable;
        else if (m_kind == FailureKind::None)
            m_kind = pages.sizes.isEmpty() ? FailureKind::NoContent : FailureKind::LimitsExceeded;
        return QString();
    }
    // Pages written one by one get a folder of their own, like the frames of other multi-frame
    // sources: ImageMagick numbers them inside our partial folder, which takes a free name only
    // at the end, so a second batch of the same document never writes over the first.
    QString output;
    const bool separatePages = !join && pages.sizes.size() > 1;
    if (separatePages) {
        const QString folder = claimFolder(base);
        if (folder.isEmpty())
            return QString();
        output = folder + QLatin1Char('/') + base + QLatin1Char('.') + suffix;
    } else {
        output = claimOutput(base, suffix);
        if (output.isEmpty())
            return output;
    }
    if (!runTool(QStringLiteral("magick"),
                 ImgRecipes::pdf(m_source, definition, join, suffix, output,
                                 separatePages && !suffix.startsWith(QLatin1String("tif")))))
        return output;
    if (separatePages) {
        const int written = PdfPlan::writtenPages(output);
        if (written != pages.sizes.size()) {
            m_toolsClean = false;
            m_failure =
                QStringLiteral("only %1 of %2 pages were written").arg(written).arg(pages.sizes.size());
        }
        return OutputNamer::numberFromOne(output);
    }
    return output;
}

QString ImgRunable::decodeFirst(const QString& tool, const QString& source, const QString& suffix)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("ddhhmmsszzz"));
    // The batch folder is ours alone; the row keeps two jobs of one millisecond apart.
    const QString decoded = m_batchTemp + QLatin1Char('/') + stamp + QLatin1Char('_') +
                            QString::number(m_row) + QLatin1Char('.') + suffix;
    if (!runTool(tool, {source, decoded}))
        return QString();
    return decoded;
}

QString ImgRunable::saveHeicProfile()
{
    const QByteArray profile = HeicInspector::iccProfile(m_source);
    if (profile.isEmpty())
        return QString();
    const QString path = m_batchTemp + QLatin1Char('/') +
                         QDateTime::currentDateTime().toString(QStringLiteral("ddhhmmsszzz")) +
                         QLatin1Char('_') + QString::number(m_row) + QStringLiteral(".icc");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(profile) != profile.size()) {
        qCWarning(lcImaging) << "HEIC colour profile not kept:" << path << file.errorString();
        return QString();
    }
    return path;
}

QString ImgRunable::gifProcedure()
{
    const QString suffix = ImgFormats::suffixFor(m_params.format, m_source);
    m_stamp = QDateTime::currentDateTime().toString(QStringLiteral("ddhhmmss"));
    const QString output = claimOutput(ImgRecipes::baseName(m_source, false), suffix);
    qCDebug(lcImaging) << "compress format is:" << suffix;
    if (!output.isEmpty())
        runTool(QStringLiteral("gifsicle"),
                ImgRecipes::gif(m_source, m_params.level, m_params.width, m_params.height, output));
    return output;
}

QString ImgRunable::compressionProcedure()
{
    const QString suffix = ImgFormats::suffixFor(m_params.format, m_source);
    m_stamp = QDateTime::currentDateTime().toString(QStringLiteral("ddhhmmss"));
    const QString base = ImgRecipes::baseName(m_source, false);
    // pngquant drops an animation's chunks and ImageMagick 6 reads its first frame only: either
    // would give one still picture and call it done.
    const int frames = suffix == QLatin1String("png") ? PageCounter::apngFrames(m_source) : 0;
    if (frames > 1) {
        m_toolsClean = false;
        m_failure = QStringLiteral("an animated PNG (%1 frames) is not compressed: only its first "
                                   "frame would be kept")
                        .arg(frames);
        m_kind = FailureKind::Unsupported;
        return QString();
    }
    const QString output = claimOutput(base, suffix);
    qCDebug(lcImaging) << "compress format is:" << suffix;
    if (output.isEmpty())
        return output;
    if (suffix == QLatin1String("png")) {
        QString input = m_source;
        const bool resized = m_params.width != -1 || m_params.height != -1;
        if (resized) {
            input = m_batchTemp + QLatin1Char('/') + base + QLatin1Char('_') + m_stamp +
                    QString::number(m_row) + QStringLiteral(".png");
            convert(m_source, suffix, input);
            if (!m_toolsClean) {
                QFile::remove(input);
                return output;
            }
        }
        // pngquant will not write over a file, not even our empty partial one.
        QFile::remove(output);
        if (!runTool(QStringLiteral("pngquant.2.12.3"), ImgRecipes::png(input, m_params.level, output)) &&
            m_lastExitCode > 0)
            m_failure = ImgRecipes::pngquantFailure(m_lastExitCode);
        if (m_lastExitCode > 0)
            m_kind = ImgRecipes::pngquantFailureKind(m_lastExitCode);
        if (resized)
            QFile::remove(input);
        return output;
    }
    if (suffix == QLatin1String("gif"))
        runTool(QStringLiteral("gifsicle"),
                ImgRecipes::gif(m_source, m_params.level, m_params.width, m_params.height, output));
    else
        convert(m_source, suffix, output);
    return output;
}

QString ImgRunable::keepFormatProcedure()
{
    const QString suffix = QFileInfo(m_source).suffix().toLower();
    m_stamp = QDateTime::currentDateTime().toString(QStringLiteral("ddhhmmss"));
    const QString output = claimOutput(ImgRecipes::baseName(m_source, true), suffix);
    if (output.isEmpty())
        return output;
    return convert(m_source, suffix, output);
}
