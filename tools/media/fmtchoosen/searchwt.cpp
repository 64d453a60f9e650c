#include "tools/media/fmtchoosen/searchwt.h"

#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

SearchWT::SearchWT(QWidget* parent) : QWidget(parent), m_edit(new QLineEdit(this))
{
    setFixedHeight(45);
    auto* frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("searchFrame"));
    frame->setStyleSheet(StyleSheet::make(
        "QWidget#searchFrame{border:1px solid @panelBorder;border-radius:15px;background:white;}"));
    auto* icon = new QLabel(frame);
    icon->setFixedSize(22, 22);
    icon->setScaledContents(true);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/icons/search.png")));
    m_edit->setParent(frame);
    m_edit->setFont(AppFonts::standardFont());
    m_edit->setPlaceholderText(tr("搜索格式"));
    m_edit->setStyleSheet(StyleSheet::make("QLineEdit{border:0px;background:transparent;color:@text;}"));
    auto* inner = new QHBoxLayout(frame);
    inner->setContentsMargins(8, 2, 8, 2);
    inner->setSpacing(4);
    inner->addWidget(icon);
    inner->addWidget(m_edit, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(frame);
    connect(m_edit, &QLineEdit::textChanged, this, &SearchWT::onTextChanged);
}

void SearchWT::onTextChanged(QString text)
{
    emit search(text);
}

void SearchWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}
