#pragma once

#include "media/combenum.h"

#include <QWidget>

class FmtChoosenWT;
class FmtRightBtn;
class VideoFmtCombox;

// A row's own target on the format pages: "格式:" and the box that opens the row's chooser.
// The chooser is made at the first click, so a long list costs no popups it never opens.
class FmtTargetItemWT : public QWidget
{
    Q_OBJECT
public:
    FmtTargetItemWT(int categoryMode, QWidget* parent);

    const FmtPreset& target() const { return m_target; }
    // A target chosen for all rows at once, as if chosen in this row's chooser.
    void setTarget(const FmtPreset& preset);
    VideoFmtCombox* box() const { return m_box; }
    FmtChoosenWT* chooser();

public slots:
    void showChooseFmt();
    void onChoosenRightBtn(FmtRightBtn* button);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_categoryMode;
    VideoFmtCombox* m_box;
    FmtChoosenWT* m_chooser = nullptr;
    FmtPreset m_target;
};
