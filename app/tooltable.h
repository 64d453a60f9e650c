#pragma once

#include <QString>
#include <QVector>

#include <functional>

class QWidget;

// The tool buttons and their pages, in the tool table's order. Adding a page means giving its
// entry a factory here; the strip and the main window take everything else from the table.
class ToolTable final
{
public:
    enum Tool
    {
        Format,
        Heic,
        Raw,
        GifCompress,
        Compress,
        PdfToImg,
        ImgToPdf,
        Crop,
        Rotate,
        Resize,
        VideoFormat,
        VideoCompress,
        MediaExtract,
        VideoSlicing,
        VideoConcat,
        VideoToGif,
        AudioFormat,
        ToolBox,
        ToolCount
    };

    using PageFactory = std::function<QWidget*(QWidget* parent)>;

    struct Entry
    {
        QString label;
        QString normalIcon;
        QString selectedIcon;
        // Empty for a button that maps to no page, or whose page is not built.
        PageFactory page;
        // Place on the strip from the left, or -1 when the button is not laid out.
        int stripSlot = -1;
        bool exclusive = true;
    };

    // The application's own table.
    static ToolTable standard();
    // Tools with a page but no place on the strip: the toolbox lists them, in table order.
    QVector<int> offStripPages() const;
    // An icon that shows on the light strip: the video tools' normal icon is white.
    static QString visibleIcon(const Entry& entry);

    QVector<Entry> entries;
    // Tools whose pages exist, in the order the pages are created and in the order the window's
    // layout holds them.
    QVector<int> creationOrder;
    QVector<int> layoutOrder;
};
