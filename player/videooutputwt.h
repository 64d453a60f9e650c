#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

// Shows the player's latest picture, fitted and centred on black. The picture is kept, so
// repaints caused by widgets drawn over it (the crop selection) cost no new render.
class VideoOutputWT final : public QWidget
{
    Q_OBJECT
public:
    explicit VideoOutputWT(QWidget* parent = nullptr);

    // A buffer of the widget's size in device pixels for the renderer to fill; reused while the
    // size stays the same. Pixels are 4 bytes, rows aligned to 64 bytes.
    QImage& surface();
    // The renderer filled the surface: show it.
    void presentSurface();
    bool hasFrame() const { return m_hasFrame; }
    // A line of text over the picture (the file cannot be played); empty hides it.
    void setNotice(const QString& text);
    QString notice() const;

signals:
    // The widget's size changed: the current picture must be rendered again.
    void surfaceResized();
    // A picture the renderer presented has reached the screen.
    void framePainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_surface;
    QLabel* m_notice;
    bool m_hasFrame = false;
    bool m_framePending = false;
};
