#pragma once

#include "media/combenum.h"

#include <QHash>
#include <QList>
#include <QWidget>

class FmtChoBtn;
class FmtChoRightWT;
class FmtRightBtn;
class QLabel;
class QPushButton;
class SearchWT;

// The popup where a media target is chosen: formats on the left, the chosen format's presets
// on the right, one part for video and one for audio. Built once per owner and kept, so it opens
// again as it was left.
class FmtChoosenWT final : public QWidget
{
    Q_OBJECT
public:
    enum CategoryMode
    {
        VideoAndAudio = 0,
        VideoOnly = 1,
        AudioOnly = 2
    };

    FmtChoosenWT(bool offerSameAsSource, int categoryMode, QWidget* parent);

    const QList<FmtRightBtn*>& videoRightButtons() const { return m_video.presets; }
    const QList<FmtRightBtn*>& audioRightButtons() const { return m_audio.presets; }
    const QList<FmtChoBtn*>& videoEntries() const { return m_video.entries; }
    const QList<FmtChoBtn*>& audioEntries() const { return m_audio.entries; }
    QPushButton* videoHeader() const { return m_videoHeader; }
    QPushButton* audioHeader() const { return m_audioHeader; }
    SearchWT* videoSearch() const { return m_video.search; }
    SearchWT* audioSearch() const { return m_audio.search; }
    bool isAudioShown() const;
    // The format whose panel is shown in the visible part, and the panel itself (null for a
    // format without presets, which shows a note instead).
    int currentFormat() const;
    FmtChoRightWT* currentPanel() const;
    QLabel* noPresetNote() const;
    // Shows the part, format and preset of a target chosen elsewhere ("apply to all").
    void select(const FmtPreset& preset);
    // Under the box (global coordinates): left edges aligned, or right edges.
    void openBelow(const QWidget* box, bool alignRight);

signals:
    void choosenRightBtn(FmtRightBtn* button);

public slots:
    void switchVideoRight();
    void clickedSubBtn();
    void clickVideoRightBtn();
    void onHeaderClicked();
    void clickAudioRightBtn();
    void switchAudioRight();
    void onVideoSearch(QString& text);
    void onAudioSearch(QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Part
    {
        QWidget* widget = nullptr;
        QList<FmtChoBtn*> entries;
        QHash<int, FmtChoRightWT*> panels;
        QList<FmtRightBtn*> presets;
        SearchWT* search = nullptr;
        QLabel* note = nullptr;
        int current = -1;
    };

    void buildPart(Part& part, const QList<int>& formats, bool audio);
    void showFormat(Part& part, int format);
    static void filter(Part& part, const QString& text);
    void showAudio(bool audio);
    const Part& visiblePart() const;

    bool m_offerSameAsSource;
    int m_categoryMode;
    QPushButton* m_videoHeader;
    QPushButton* m_audioHeader;
    Part m_video;
    Part m_audio;
};
