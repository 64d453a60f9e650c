#pragma once

#include <QSizeF>
#include <QString>
#include <QVector>

class QIODevice;

// The pages of a PDF document as Poppler's pdfinfo reads them, before ImageMagick renders them.
struct PdfPages
{
    // Each page's media box in points, turned by the page's rotation.
    QVector<QSizeF> sizes;
    // Why the document cannot be rendered; empty when it can.
    QString problem;
};

// How many pictures ImageMagick will read from a TIFF or ICO file, known before it runs: a
// multi-page source keeps its pages apart where a single-page one is flattened.
class PageCounter final
{
public:
    // 1 for any other kind of file, and for a file that cannot be read.
    static int pages(const QString& path);
    // The pages in the main IFD chain of a TIFF or BigTIFF; 0 when it is not one.
    static int tiffPages(QIODevice& device);
    // The pictures an ICO or CUR directory lists; 0 when it is not one.
    static int icoPictures(QIODevice& device);

    // The frames an animated PNG announces in its acTL chunk; 0 for a still PNG or no PNG.
    static int apngFrames(QIODevice& device);
    static int apngFrames(const QString& path);

    // Runs the application's pdfinfo on the document.
    static PdfPages pdfPages(const QString& path);
    // What pdfinfo -box printed (both channels) and whether it exited cleanly.
    static PdfPages parsePdfInfo(const QString& text, bool exitedCleanly);
};
