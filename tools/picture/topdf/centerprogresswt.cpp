#include "tools/picture/topdf/centerprogresswt.h"

#include "platform/filerevealer.h"
#include "style/appfonts.h"
#include "style/palette.h"
#include "style/stylesheet.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int kLabelWidth = 100;
}

CenterProgressWT::CenterProgressWT(QWidget* parent)
    : QWidget(parent), m_label(new QLabel(this)), m_note(new QLabel(this)),
      m_close(
          makeButton(tr("关 闭"),
                     "QPushButton{border:0px;background-color:@dismissButton;border-radius:5px;color:white; }"
                     "QPushButton:hover{border:0px;background-color:@dismissButtonHover; }")),
      m_result(
          makeButton(tr("打开文件夹"),
                     "QPushButton{border:0px;background-color:@revealButton;border-radius:5px;color:white; }"
                     "QPushButton:hover{border:0px;background-color:@revealButtonHover; }")),
      m_bar(new QProgressBar(this))
{
    setStyleSheet(QStringLiteral("CenterProgressWT{border-radius:8px;}"));
    m_label->setStyleSheet(QStringLiteral("QLabel{color:white;}"));
    m_label->setFont(AppFonts::progressFont());
    m_label->setFixedWidth(kLabelWidth);
    m_label->setAlignment(Qt::AlignCenter);
    m_note->setStyleSheet(QStringLiteral("QLabel{color:white;}"));
    m_note->setFont(AppFonts::standardFont());
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setWordWrap(true);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_bar->setFixedHeight(15);

    auto* row = new QHBoxLayout();
    row->setSpacing(30);
    row->setAlignment(Qt::AlignCenter);
    row->addWidget(m_label);
    row->addWidget(m_close);
    row->addWidget(m_result);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(50, 50, 50, 50);
    layout->setAlignment(Qt::AlignCenter);
    layout->addLayout(row);
    layout->addWidget(m_note);
    layout->addWidget(m_bar);

    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_result, &QPushButton::clicked, this, &CenterProgressWT::onOpenDirClicked);
    reset();
}

QPushButton* CenterProgressWT::makeButton(const QString& text, const char* style)
{
    auto* button = new QPushButton(text, this);
    button->setFixedSize(120, 50);
    button->setFont(AppFonts::standardFont());
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(StyleSheet::make(style));
    return button;
}

void CenterProgressWT::reset()
{
    m_value = 0;
    m_resultPath.clear();
    showText(QStringLiteral("0%"));
    m_note->clear();
    m_note->hide();
    m_bar->setValue(0);
    m_close->hide();
    m_result->hide();
}

void CenterProgressWT::setValue(double value)
{
    m_value = value;
    showText(QString::number(qRound(value)) + QLatin1Char('%'));
    m_bar->setValue(qRound(value));
}

void CenterProgressWT::finish(const QString& path, bool success, const QStringList& skipped,
                              const JobFailure& failure)
{
    m_resultPath = path;
    QStringList notes;
    if (success) {
        m_value = 100;
        m_bar->setValue(100);
        if (!skipped.isEmpty())
            showText(tr("%1 张图片无法读取").arg(skipped.size()));
        else
            m_label->hide();
    } else {
        showText(tr("转换失败！"));
        notes << (failure.isFailure() ? failure : JobFailure(FailureKind::ToolFailed)).toolTip();
    }
    if (!skipped.isEmpty()) {
        QStringList names;
        for (const QString& picture : skipped)
            names << QFileInfo(picture).fileName();
        notes << tr("未加入的图片：%1").arg(names.join(tr("、")));
    }
    m_note->setText(notes.join(QLatin1Char('\n')));
    m_note->setToolTip(skipped.join(QLatin1Char('\n')));
    m_note->setVisible(!notes.isEmpty());
    m_close->show();
    // A failed run of one PDF per picture may still have written some of them.
    m_result->setVisible(!path.isEmpty() && QFileInfo::exists(path));
}

void CenterProgressWT::showText(const QString& text)
{
    m_label->setText(text);
    m_label->setFixedWidth(qMax(kLabelWidth, m_label->fontMetrics().horizontalAdvance(text) + 10));
    m_label->show();
}

void CenterProgressWT::onOpenDirClicked()
{
    if (m_resultPath.isEmpty())
        return;
    const QString path = QFileInfo(m_resultPath).absoluteFilePath();
    // The PDF in its viewer, or the folder of a one-per-picture run; then the file manager
    // shows it selected.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    FileRevealer::showInFolder(path);
}

QColor CenterProgressWT::shade()
{
    return Palette::color(Palette::kProgressVeil);
}

void CenterProgressWT::paintShade(QPainter& painter, const QRect& rect)
{
    // Rounded like the table it covers.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade());
    painter.drawRoundedRect(QRectF(rect), 8, 8);
}

void CenterProgressWT::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintShade(painter, rect());
}
