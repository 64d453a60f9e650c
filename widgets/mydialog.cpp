#include "widgets/mydialog.h"

#include "style/appfonts.h"
#include "style/palette.h"
#include "style/stylesheet.h"

#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

MyDialog::MyDialog(const QString& message, QWidget* parent)
    : QDialog(parent), m_message(new QLabel(this)), m_spacer(new QWidget(this)),
      m_okButton(new QPushButton(tr("确定"), this)), m_cancelButton(new QPushButton(tr("取消")))
{
    setFixedSize(450, 200);
    setWindowTitle(tr("提示"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icons/note.png")));
    setFont(AppFonts::standardFont());
    setAttribute(Qt::WA_DeleteOnClose);

    m_message->setFont(AppFonts::standardFont());
    m_message->setStyleSheet(StyleSheet::textLabel());
    m_message->setText(message);
    m_message->setWordWrap(true);
    m_spacer->setMinimumHeight(15);
    m_spacer->setMaximumHeight(15);

    m_okButton->setFont(AppFonts::standardFont());
    m_okButton->setFixedSize(120, 40);
    m_okButton->setCursor(Qt::PointingHandCursor);
    m_okButton->setStyleSheet(
        StyleSheet::make("QPushButton{background:@okButton;border-radius:5px;color:white;}"
                         "QPushButton:hover{background:@okButtonHover;}"));
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::close);

    // Laid out only in a question; it is owned here so it goes with the dialog.
    m_cancelButton->setParent(this);
    m_cancelButton->hide();
    m_cancelButton->setIcon(QIcon(QStringLiteral(":/icons/icons/cancel.png")));
    m_cancelButton->setFixedSize(120, 40);
    m_cancelButton->setStyleSheet(StyleSheet::make(
        "QPushButton{border:2px solid @dialogCancelBorder;border-radius:5px;}QPushButton:hover{border:2px "
        "solid @dialogCancelBorderHover;}"));
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QGridLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(10, 10, 20, 10);
    layout->addWidget(m_message, 0, 1, 1, 5);
    layout->addWidget(m_okButton, 1, 5);
    layout->addWidget(m_spacer, 2, 0, 1, 6);
    for (int column = 0; column < 6; ++column)
        layout->setColumnStretch(column, 1);

    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setOffset(0, 0);
    shadow->setColor(Palette::color(Palette::kDialogShadow));
    shadow->setBlurRadius(50);
    setGraphicsEffect(shadow);
    setStyleSheet(QStringLiteral("MyDialog{background-color:white;}"));
}

void MyDialog::makeQuestion()
{
    disconnect(m_okButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    disconnect(m_cancelButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_cancelButton->setText(tr("取消"));
    m_cancelButton->setFont(AppFonts::standardFont());
    m_cancelButton->setCursor(Qt::PointingHandCursor);
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(m_cancelButton, 1, 4);
    m_cancelButton->show();
}

QString MyDialog::message() const
{
    return m_message->text();
}
