#pragma once

#include "framework/mediaparamwt.h"
#include "media/combenum.h"

class FmtChoosenWT;
class FmtRightBtn;
class VideoFmtCombox;

// The panel of the format pages: the target for all rows ("输出格式:"), the output folder and
// the start button.
class FmtTargetParamWT : public MediaParamWT
{
    Q_OBJECT
public:
    FmtTargetParamWT(int categoryMode, QWidget* parent, bool offerSameAsSource = true);

    const FmtPreset& target() const { return m_target; }
    VideoFmtCombox* box() const { return m_box; }
    FmtChoosenWT* chooser() const { return m_chooser; }

signals:
    void chooseTotalFmt(FmtRightBtn* button);

public slots:
    void showChooseFmt();
    void fmt();
    void onChoosenRightBtn(FmtRightBtn* button);

private:
    VideoFmtCombox* m_box;
    FmtChoosenWT* m_chooser;
    FmtPreset m_target;
};
