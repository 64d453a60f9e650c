#pragma once

#include "platform/jobfailure.h"

#include <QColor>
#include <QWidget>

class MyMediaInfo;
class QLabel;
class QPainter;
class QPushButton;
class TableItemWidget;

// One card of a media page: thumbnail, the probed facts, the page's target widget, the percentage
// and a close button, with the progress painted as a fill behind them. Pages find a row by its
// object name.
class TableRowWidget final : public QWidget
{
    Q_OBJECT
public:
    TableRowWidget(QWidget* target, bool showArrow, bool showPercent, bool showAction, QWidget* parent);
    ~TableRowWidget() override;

    // Stores the path and probes the file, on the calling (GUI) thread.
    void setSourcePath(const QString& path);
    void setFacts(const QString& name, const QString& format, const QString& resolution,
                  const QString& duration, const QString& size);

    QString sourcePath() const { return m_sourcePath; }
    MyMediaInfo* mediaInfo() const { return m_mediaInfo; }
    TableItemWidget* itemWidget() const { return m_itemWidget; }
    QWidget* targetWidget() const { return m_target; }
    QPushButton* actionButton() const { return m_actionButton; }
    QLabel* thumbnailLabel() const { return m_thumbnail; }
    QLabel* percentLabel() const { return m_percentLabel; }
    QPushButton* closeButton() const { return m_closeButton; }
    int persent() const { return m_persent; }

    // The page's key of the row, never reused by a later row.
    quint64 key() const { return m_key; }
    void setKey(quint64 key) { m_key = key; }

    // A failed job: red fill, "转换失败！", the reason as tooltip. Progress reports that follow
    // (the runner closes every job with 100) leave it so until the row is started again.
    void setFailed(const QString& reason);
    // The same, with the kind's sentence as the first line of the tooltip and the detail below.
    void setFailed(const JobFailure& failure);
    bool isFailed() const { return m_failed; }
    QString failureReason() const { return m_failureReason; }
    // Back to 0 and not failed, when the row is started again.
    void resetProgress();

    // A frame of the video, fitted into the black thumbnail box.
    void setThumbnail(const QImage& frame);
    void showSoundIcon();

    // The fill behind a row or a list: a pale fill and two lines as wide as the percentage;
    // a failed row is filled across in the failure colour.
    static void paintProgress(QPainter& painter, const QSize& size, int percent, bool failed,
                              const QColor& line, const QColor& fill);

public slots:
    void SetPersent(int persent);
    void clickClose();

signals:
    void tableRemoveRow();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_thumbnail;
    TableItemWidget* m_itemWidget;
    QWidget* m_target;
    QPushButton* m_actionButton = nullptr;
    QLabel* m_percentLabel = nullptr;
    MyMediaInfo* m_mediaInfo = nullptr;
    QColor m_lineColor{2, 125, 240};
    QColor m_fillColor{229, 242, 255};
    int m_persent = 0;
    QString m_sourcePath;
    QPushButton* m_closeButton;
    quint64 m_key = 0;
    bool m_failed = false;
    QString m_failureReason;
};
