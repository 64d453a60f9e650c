#include "imaging/extensionlists.h"

const QStringList& ExtensionLists::allPictures()
{
    static const QStringList list =
        QStringList{"bmp", "jpeg", "jpg",  "ico", "png",        "tif", "tiff", "wbmp", "webp", "gif",
                    "tga", "psd",  "jfif", "jpe", "jpg-mobile", "dat", "heic", "heif", "livp"} +
        raw();
    return list;
}

const QStringList& ExtensionLists::heic()
{
    static const QStringList list{"heic", "heif"};
    return list;
}

const QStringList& ExtensionLists::raw()
{
    // LibRaw knows a camera by the file's content, so every suffix a camera writes is taken in;
    // X3F is listed though Debian's LibRaw cannot decode it, so that its rows say why they fail.
    static const QStringList list{"raw", "crw", "raf", "cr2", "cr3", "mrw", "nef", "orf", "dng",
                                  "pef", "arw", "x3f", "dcr", "rw2", "srw", "nrw", "3fr", "iiq",
                                  "erf", "kdc", "mef", "mos", "rwl", "sr2", "srf"};
    return list;
}

const QStringList& ExtensionLists::compression()
{
    static const QStringList list{"png", "jpg", "jpeg"};
    return list;
}

const QStringList& ExtensionLists::gif()
{
    static const QStringList list{"gif"};
    return list;
}

const QStringList& ExtensionLists::crop()
{
    static const QStringList list{"png", "jpg", "jpeg", "bmp", "tif", "tiff"};
    return list;
}

const QStringList& ExtensionLists::rotate()
{
    static const QStringList list{"bmp", "jpeg", "jpg", "png"};
    return list;
}

const QStringList& ExtensionLists::pdfInput()
{
    static const QStringList list{"jpg", "jpeg", "png", "bmp", "tif", "tiff"};
    return list;
}

const QStringList& ExtensionLists::pdf()
{
    static const QStringList list{"pdf"};
    return list;
}
