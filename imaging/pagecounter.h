#pragma once

#include <QString>

class QIODevice;

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
};
