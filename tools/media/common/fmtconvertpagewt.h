#pragma once

#include "framework/mediapagewt.h"

class FmtRightBtn;
class FmtTargetParamWT;
class MediaCenterWT;

// What the video and audio format pages share: a target per row, a panel target that is given
// to every row, a start for the list and a start per row.
class FmtConvertPageWT : public MediaPageWT
{
    Q_OBJECT
public:
    FmtConvertPageWT(const QStringList* extensions, QWidget* parent);

    FmtTargetParamWT* panel() const
    {
        ensureBuilt();
        return m_panel;
    }

public slots:
    void addFile1();
    void fmt();
    void openItemDir();
    void onChooseTotalFmt(FmtRightBtn* button);
    void onRowSubBtnClicked();

protected:
    void setCenter(MediaCenterWT* center, FmtTargetParamWT* panel);
    QString outputFolder() const override;
    // The row for one file with the page's target widget, its action button wired.
    TableRowWidget* makeFmtRow(QWidget* target, const QString& path);

private:
    FmtTargetParamWT* m_panel = nullptr;
};
