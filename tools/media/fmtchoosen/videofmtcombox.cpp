#include "tools/media/fmtchoosen/videofmtcombox.h"

#include "style/appfonts.h"

#include <QStyledItemDelegate>

VideoFmtCombox::VideoFmtCombox(QWidget* parent) : QComboBox(parent), m_delegate(new QStyledItemDelegate())
{
    setObjectName(QStringLiteral("itemDelegate"));
    setItemDelegate(m_delegate);
    setFixedHeight(45);
    setFont(AppFonts::standardFont());
    setCursor(Qt::PointingHandCursor);
    addItem(QString());
    setStyleSheet(QStringLiteral("QComboBox{border:1px solid "
                                 "#027DF0;border-radius:5px;padding-left:8px;color:#484848;background:white;}"
                                 "QComboBox::drop-down{border:0px;width:30px;}"
                                 "QComboBox::down-arrow{image:url(:/icons/icons/down_arrow.png);}"));
}

VideoFmtCombox::~VideoFmtCombox()
{
    // The view holds its delegate through a guarded pointer, so it may go first.
    delete m_delegate;
}

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
