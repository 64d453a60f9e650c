#pragma once

#include "media/combenum.h"

#include <QWidget>

// One preset of the chooser: icon and label, and the target ids it stands for.
class FmtRightBtn final : public QWidget
{
    Q_OBJECT
public:
    FmtRightBtn(const FmtPreset& preset, QWidget* parent);

    const FmtPreset& preset() const { return m_preset; }
    int format() const { return m_preset.format; }
    int resolution() const { return m_preset.resolution; }
    int audioQuality() const { return m_preset.audioQuality; }
    int mediaLocalType() const { return m_preset.mediaLocalType; }
    QString label() const { return m_preset.label; }
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    FmtPreset m_preset;
    bool m_selected = false;
};
