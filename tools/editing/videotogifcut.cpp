#include "tools/editing/videotogifcut.h"

#include "platform/logcategories.h"
#include "player/videooutputwt.h"
#include "style/stylesheet.h"
#include "tools/editing/cutsliderwt.h"
#include "tools/editing/previewgeometry.h"

#include <QDebug>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

VideoToGifCut::VideoToGifCut(const QString& filePath, int durationMs, int videoWidth, int videoHeight,
                             QWidget* parent)
    : VideoCutBaseWT(filePath, durationMs, videoWidth, videoHeight, parent), m_area(new QWidget(this))
{
    setStyleSheet(StyleSheet::make("VideoToGifCut{background-color:white;border:1px solid @editorFrame;}"));
    m_area->setObjectName(QStringLiteral("previewArea"));
    m_area->setStyleSheet(QStringLiteral("QWidget{background-color:black;}"));
    m_area->setFixedHeight(490);
    output()->setFixedSize(900, 490);
    output()->setStyleSheet(QStringLiteral("QWidget{border:0px;}"));
    auto* areaLayout = new QHBoxLayout(m_area);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    areaLayout->addWidget(output(), 0, Qt::AlignCenter);
    setPreview(m_area);

    addGridLabel(tr("缩放设置"), 0, 3);
    addGridLabel(tr("宽度："), 1, 3);
    addGridLabel(tr("高度："), 2, 3);
    addGridLabel(tr("缩放比例："), 2, 5);
    m_width = makeField(QString::number(videoWidth));
    m_height = makeField(QString::number(videoHeight));
    m_scale = makeField(QStringLiteral("100"));
    m_scale->setMaximumWidth(60);
    auto* validator = new QIntValidator(1, 100000, this);
    for (QLineEdit* field : {m_width, m_height, m_scale})
        field->setValidator(validator);
    grid()->addWidget(m_width, 1, 4);
    grid()->addWidget(m_height, 2, 4);
    auto* scaleBox = new QHBoxLayout;
    scaleBox->setSpacing(5);
    scaleBox->addWidget(m_scale);
    auto* percent = new QLabel(QStringLiteral("%"), this);
    percent->setStyleSheet(StyleSheet::make("QLabel{color:@text;}"));
    scaleBox->addWidget(percent);
    scaleBox->addStretch();
    grid()->addLayout(scaleBox, 2, 6);

    connect(timeline(), &CutSliderWT::upperPositionChanged, this, &VideoToGifCut::onUpperPositionChanged);
    // textEdited: only the user's typing, so the three never set each other off.
    connect(m_width, &QLineEdit::textEdited, this, &VideoToGifCut::widthEditOnTextEdited);
    connect(m_height, &QLineEdit::textEdited, this, &VideoToGifCut::heightEditOnTextEdited);
    connect(m_scale, &QLineEdit::textEdited, this, &VideoToGifCut::scaleEditOnTextEdited);
}

void VideoToGifCut::onUpperPositionChanged(int milliseconds)
{
    setSegmentEnd(milliseconds);
}

void VideoToGifCut::resizeOutput(double ratio)
{
    const QSize shown = PreviewGeometry::fitted(sourceSize(), m_area->size());
    output()->setFixedSize(qMin(shown.width(), int(shown.width() * ratio)),
                           qMin(shown.height(), int(shown.height() * ratio)));
}

void VideoToGifCut::widthEditOnTextEdited()
{
    qCDebug(lcTools) << "width edit";
    if (sourceSize().width() <= 0)
        return;
    const double ratio = m_width->text().toInt() / double(sourceSize().width());
    m_height->setText(QString::number(int(sourceSize().height() * ratio)));
    m_scale->setText(QString::number(int(ratio * 100)));
    resizeOutput(ratio);
}

void VideoToGifCut::heightEditOnTextEdited()
{
    qCDebug(lcTools) << "height edit";
    if (sourceSize().height() <= 0)
        return;
    const double ratio = m_height->text().toInt() / double(sourceSize().height());
    m_width->setText(QString::number(int(sourceSize().width() * ratio)));
    resizeOutput(ratio);
}

void VideoToGifCut::scaleEditOnTextEdited()
{
    const double ratio = m_scale->text().toInt() / 100.0;
    m_scale->setText(QString::number(int(ratio * 100)));
    m_width->setText(QString::number(int(sourceSize().width() * ratio)));
    m_height->setText(QString::number(int(sourceSize().height() * ratio)));
    resizeOutput(ratio);
}

void VideoToGifCut::onOKBtn()
{
    if (!segmentIsValid())
        return;
    QString parentName = parentObjectName();
    emit sendData(segmentStart(), segmentEnd(), m_width->text().toInt(), m_height->text().toInt(),
                  parentName);
    close();
}
