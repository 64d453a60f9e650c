#include "framework/centershowwt.h"

#include "framework/centershowforcenterwt.h"
#include "framework/fileintake.h"
#include "platform/logcategories.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"

#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QVBoxLayout>

CenterShowWT::CenterShowWT(const QString& note, QWidget* parent)
    : QWidget(parent), m_block(new CenterShowForCenterWT(this))
{
    m_block->setNote(note);
    setStyleSheet(StyleSheet::make(
        "CenterShowWT{background-color:white;border:2px solid @tableBorder;border-radius:8px;}"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setAlignment(Qt::AlignCenter);
    layout->addStretch();
    layout->addWidget(m_block);
    layout->addStretch();
    setAcceptDrops(true);
}

void CenterShowWT::setExtensionList(const QStringList* extensions)
{
    m_extensions = extensions;
}

void CenterShowWT::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_extensions && event->mimeData()->hasUrls() &&
        FileIntake::acceptsDrag(event->mimeData()->urls(), *m_extensions))
        event->acceptProposedAction();
}

void CenterShowWT::dropEvent(QDropEvent* event)
{
    qCDebug(lcFramework) << "drop event";
    emit drapAndDrop(event->mimeData()->urls());
}

void CenterShowWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}
