#include "tools/media/fmtchoosen/videofmtcombox.h"

#include "style/appfonts.h"

VideoFmtCombox::VideoFmtCombox(QWidget* parent) : QComboBox(parent)
{
    // Named like the styled boxes, but with no delegate of its own: its list never opens, and
    // setting one builds the whole drop-down, a cost every row of a long list would pay.
    setObjectName(QStringLiteral("itemDelegate"));
    setFixedHeight(45);
    setFont(AppFonts::standardFont());
    setCursor(Qt::PointingHandCursor);
    addItem(QString());
}

VideoFmtCombox::~VideoFmtCombox() = default;

void VideoFmtCombox::setText(const QString& text)
{
    setItemText(0, text);
    setToolTip(text);
}

QString VideoFmtCombox::text() const
{
    return itemText(0);
}

void VideoFmtCombox::mousePressEvent(QMouseEvent*)
{
    emit clicked();
}

void VideoFmtCombox::showPopup()
{
    // The keyboard opens the chooser too, never the one-item list.
    emit clicked();
}
