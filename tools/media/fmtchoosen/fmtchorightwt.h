#pragma once

#include <QList>
#include <QWidget>

class FmtRightBtn;

// The presets of one format, top to bottom.
class FmtChoRightWT final : public QWidget
{
    Q_OBJECT
public:
    FmtChoRightWT(int format, QWidget* parent);

    int format() const { return m_format; }
    void addButton(FmtRightBtn* button);
    const QList<FmtRightBtn*>& buttons() const { return m_buttons; }
    void highlight(const FmtRightBtn* button);

public slots:
    void clickBtn();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_format;
    QList<FmtRightBtn*> m_buttons;
};
