#include "app/titlebar.h"

#include "platform/apppaths.h"
#include "style/appfonts.h"
#include "style/palette.h"
#include "style/widgetsize.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVariant>

namespace {
QPushButton* makeWindowButton(const char* name, const char* icon, const Palette::Colour& hover,
                              const char* tip, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(QIcon(QLatin1String(icon)));
    button->setFixedSize(WidgetSize::titleBar());
    button->setToolTip(QCoreApplication::translate("TitleBar", tip));
    button->setStyleSheet(QStringLiteral("QPushButton{border:0px;border-radius: none; background-color:none;}"
                                         "QPushButton:hover{background-color:%1;}")
                              .arg(QLatin1String(hover.hex)));
    return button;
}
} // namespace

TitleBar::TitleBar(QWidget* parent)
    : QWidget(parent), m_icon(new QLabel(this)), m_title(new QLabel(AppPaths::displayName(), this)),
      m_minimize(makeWindowButton("minimizeButton", ":/icons/icons/min_white.png", Palette::kTitleButtonHover,
                                  QT_TRANSLATE_NOOP("TitleBar", "最小化"), this)),
      m_close(makeWindowButton("closeButton", ":/icons/icons/close_white.png", Palette::kCloseButtonHover,
                               QT_TRANSLATE_NOOP("TitleBar", "关闭"), this))
{
    setObjectName(QStringLiteral("titleBar"));
    setFixedHeight(WidgetSize::titleBar().height());
    m_icon->setPixmap(QPixmap(QStringLiteral(":/icons/icons/title_icon.png")));
    m_icon->setFixedSize(40, 35);
    m_icon->setScaledContents(true);
    m_icon->setStyleSheet(QStringLiteral("QLabel{background-color:white; border-radius:8px;}"));
    m_title->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_title->setFont(AppFonts::standardFont());
    m_title->setStyleSheet(QStringLiteral("QLabel{color:white;}"));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_icon);
    layout->addWidget(m_title);
    layout->addStretch();
    layout->addWidget(m_minimize);
    layout->addWidget(m_close);
    layout->setSpacing(5);
    layout->setContentsMargins(5, 0, 0, 0);

    connect(m_minimize, &QPushButton::clicked, this, &TitleBar::onClicked);
    connect(m_close, &QPushButton::clicked, this, &TitleBar::onClicked);

    QPalette palette(this->palette());
    palette.setColor(QPalette::All, QPalette::Window, Palette::color(Palette::kTitleBar));
    setPalette(palette);
    setAutoFillBackground(true);
    setProperty("titleBar", QVariant(true));
}

void TitleBar::onClicked()
{
    auto* button = qobject_cast<QPushButton*>(sender());
    QWidget* window = this->window();
    if (!window->isTopLevel())
        return;
    if (button == m_minimize)
        window->showMinimized();
    else if (button == m_close)
        window->close();
}
