#pragma once

#include <QWidget>

class TableItemLabel;

// The facts block of a media row: the file name above format, resolution, duration and size.
class TableItemWidget final : public QWidget
{
    Q_OBJECT
public:
    explicit TableItemWidget(QWidget* parent);

    void setFacts(const QString& name, const QString& format, const QString& resolution,
                  const QString& duration, const QString& size);
    void setDuration(const QString& duration);
    // Audio rows show their bit rate where video rows show the frame size.
    void setResolutionCaption(const QString& caption);

    QString name() const;
    QString format() const;
    QString resolution() const;
    QString duration() const;
    QString size() const;
    QString resolutionCaption() const;

private:
    TableItemLabel* addLabel(const QString& text, int row, int column, int columnSpan = 1);

    TableItemLabel* m_name;
    TableItemLabel* m_formatCaption;
    TableItemLabel* m_format;
    TableItemLabel* m_resolutionCaption;
    TableItemLabel* m_resolution;
    TableItemLabel* m_durationCaption;
    TableItemLabel* m_duration;
    TableItemLabel* m_sizeCaption;
    TableItemLabel* m_size;
};
