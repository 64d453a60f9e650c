#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class ToolBtn;

// The horizontal strip of tool buttons under the title bar.
class ToolBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ToolBar)
public:
    // Positions in the tool table, in creation order.
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

    explicit ToolBar(QWidget* parent);
    ~ToolBar() override;

    ToolBtn* button(int tool) const { return m_buttons.value(tool); }
    int toolOf(const ToolBtn* button) const;
    ToolBtn* selectedButton() const;

public slots:
    void slot_set(ToolBtn* btn);

signals:
    void siginalParent(ToolBtn* btn);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<ToolBtn*> m_buttons;
    QList<ToolBtn*> m_exclusive;
    QLabel* m_caption;
};
