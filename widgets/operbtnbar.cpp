#include "widgets/operbtnbar.h"

#include "widgets/operbtn.h"

#include <QHBoxLayout>

OperBtnBar::OperBtnBar(QWidget* parent)
    : QWidget(parent),
      m_addFile(new OperBtn(QStringLiteral(":/icons/icons/addfile.png"), tr("添加文件"), this)),
      m_addDir(new OperBtn(QStringLiteral(":/icons/icons/adddir.png"), tr("添加文件夹"), this)),
      m_clear(new OperBtn(QStringLiteral(":/icons/icons/clear.png"), tr("清空列表"), this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(m_addFile);
    layout->addWidget(m_addDir);
    layout->addWidget(m_clear);
    layout->addStretch();
}
