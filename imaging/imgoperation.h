#pragma once

// What a picture batch does; the values are the codes the batch runner is started with.
enum class ImgOperation
{
    Conversion = 0,         // format conversion, RAW to image, batch resize
    FirstDotConversion = 1, // HEIC to image: the name is cut at its first dot
    GifCompression = 2,
    Compression = 3, // PNG/JPG compression
    KeepFormat = 4,  // batch rotate
    PdfToImages = 5,
    Crop = 6
};
