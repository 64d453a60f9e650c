#pragma once

#include <QComboBox>

class QStyledItemDelegate;

// The clickable target box: a press opens the owner's format chooser instead of a drop-down.
class VideoFmtCombox final : public QComboBox
{
    Q_OBJECT
public:
    explicit VideoFmtCombox(QWidget* parent);
    ~VideoFmtCombox() override;

    void setText(const QString& text);
    QString text() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void showPopup() override;

private:
    QStyledItemDelegate* m_delegate;
};
