#include "widgets/operbtnbar.h"

#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "widgets/operbtn.h"

#include <QHBoxLayout>
#include <QLabel>

OperBtnBar::OperBtnBar(QWidget* parent)
    : QWidget(parent),
      m_addFile(new OperBtn(QStringLiteral(":/icons/icons/addfile.png"), tr("添加文件"), this)),
      m_addDir(new OperBtn(QStringLiteral(":/icons/icons/adddir.png"), tr("添加文件夹"), this)),
      m_clear(new OperBtn(QStringLiteral(":/icons/icons/clear.png"), tr("清空列表"), this)),
      m_summary(new QLabel(this))
{
    m_summary->setObjectName(QStringLiteral("batchSummary"));
    m_summary->setFont(AppFonts::standardFont());
    m_summary->setStyleSheet(StyleSheet::textLabel());
    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(m_addFile);
    layout->addWidget(m_addDir);
    layout->addWidget(m_clear);
    layout->addStretch();
    layout->addWidget(m_summary);
}
