#pragma once

#include <QList>
#include <QUrl>
#include <QWidget>

class CenterShowForCenterWT;

// The drop zone a page shows while it has no files.
class CenterShowWT final : public QWidget
{
    Q_OBJECT
public:
    CenterShowWT(const QString& note, QWidget* parent);

    void setExtensionList(const QStringList* extensions);
    CenterShowForCenterWT* block() const { return m_block; }

signals:
    void drapAndDrop(QList<QUrl> list);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CenterShowForCenterWT* m_block;
    const QStringList* m_extensions = nullptr;
};
