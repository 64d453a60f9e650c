#pragma once

#include <QDialog>
#include <QPoint>
#include <QSize>

class CutSliderWT;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class VideoOutputWT;
class VideoPlayer;

// What both cut dialogs share: the frameless window with its title bar and drag zone, the player
// and its preview, the controls row with the timeline, the segment fields and the two buttons.
// A subclass supplies the preview area, its own grid columns and what confirming sends.
class VideoCutBaseWT : public QDialog
{
    Q_OBJECT
public:
    // "HH:mm:ss.t", to the tenth.
    static QString timeText(qint64 milliseconds);

    qint64 segmentStart() const { return m_segmentStart; }
    qint64 segmentEnd() const { return m_segmentEnd; }
    bool isPlayingFlag() const { return m_playing; }
    VideoPlayer* player() const { return m_player; }
    VideoOutputWT* output() const { return m_output; }
    CutSliderWT* timeline() const { return m_timeline; }
    QPushButton* playButton() const { return m_playButton; }
    QLabel* currentTimeLabel() const { return m_currentTime; }
    QLineEdit* startField() const { return m_startField; }
    QLineEdit* endField() const { return m_endField; }

public slots:
    void playOrPause();
    void seek(int milliseconds);
    void seek();
    void onStopPlay();
    void onPositionChange(qint64 pos);
    void onSeekFinished(qint64 pos);
    void onStarted();
    void onCancelBtn();
    virtual void onOKBtn() = 0;

protected:
    VideoCutBaseWT(const QString& filePath, int durationMs, int videoWidth, int videoHeight, QWidget* parent);
    ~VideoCutBaseWT() override;

    // Puts the preview area between the title bar and the controls.
    void setPreview(QWidget* preview);
    // Columns 0 to 2 hold the segment; subclasses fill from column 3 on.
    QGridLayout* grid() const { return m_grid; }
    QLabel* addGridLabel(const QString& text, int row, int column);
    QLineEdit* makeField(const QString& text);
    void setSegmentEnd(int milliseconds);
    // False (with a notice) when the segment would end before it starts or has no length.
    bool segmentIsValid();
    QString parentObjectName() const;
    QSize sourceSize() const { return m_sourceSize; }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* buildTitleBar();
    QLayout* buildControls();
    QLayout* buildButtons();
    void buildSegmentGrid();
    void onPlayerError(const QString& message);
    void showPlayIcon(bool play);

    QString m_filePath;
    int m_durationMs;
    QSize m_sourceSize;
    qint64 m_segmentStart = 0;
    qint64 m_segmentEnd = 0;
    bool m_playing = false;
    bool m_dragging = false;
    QPoint m_pressPoint;

    VideoPlayer* m_player;
    VideoOutputWT* m_output;
    QVBoxLayout* m_layout;
    QPushButton* m_playButton = nullptr;
    QLabel* m_currentTime = nullptr;
    CutSliderWT* m_timeline = nullptr;
    QLineEdit* m_startField = nullptr;
    QLineEdit* m_endField = nullptr;
    QGridLayout* m_grid = nullptr;
};
