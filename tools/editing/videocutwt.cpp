#include "tools/editing/videocutwt.h"

#include "platform/logcategories.h"
#include "player/videooutputwt.h"
#include "style/stylesheet.h"
#include "tools/editing/cutsliderwt.h"
#include "tools/editing/previewgeometry.h"
#include "widgets/maskwt.h"

#include <QDebug>
#include <QGridLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QVBoxLayout>

VideoCutWT::VideoCutWT(const QString& filePath, int durationMs, int videoWidth, int videoHeight,
                       QWidget* parent)
    : VideoCutBaseWT(filePath, durationMs, videoWidth, videoHeight, parent)
{
    setStyleSheet(StyleSheet::make("VideoCutWT{background-color:white;border:1px solid @editorFrame;}"));
    output()->setFixedHeight(500);
    output()->setStyleSheet(QStringLiteral("QWidget{border:0px;}"));
    setPreview(output());

    addGridLabel(tr("画面剪裁"), 0, 3);
    addGridLabel(tr("X 坐标："), 1, 3);
    addGridLabel(tr("Y 坐标："), 2, 3);
    addGridLabel(tr("宽度："), 1, 5);
    addGridLabel(tr("高度："), 2, 5);
    m_x = makeField(QStringLiteral("0"));
    m_y = makeField(QStringLiteral("0"));
    m_width = makeField(QString::number(videoWidth));
    m_height = makeField(QString::number(videoHeight));
    auto* validator = new QIntValidator(1, 100000, this);
    for (QLineEdit* field : {m_x, m_y, m_width, m_height})
        field->setValidator(validator);
    grid()->addWidget(m_x, 1, 4);
    grid()->addWidget(m_y, 2, 4);
    grid()->addWidget(m_width, 1, 6);
    grid()->addWidget(m_height, 2, 6);

    // The mask always has the preview's size, so its coordinates are the preview's.
    m_mask = new MaskWT(output());
    auto* maskLayout = new QVBoxLayout(output());
    maskLayout->setContentsMargins(0, 0, 0, 0);
    maskLayout->setSpacing(0);
    maskLayout->addWidget(m_mask);
    connect(m_mask, &MaskWT::captureMove, this, &VideoCutWT::onCaptureMove);
    connect(timeline(), &CutSliderWT::upperPositionChanged, this, &VideoCutWT::onUpperPositonChanged);
}

void VideoCutWT::onUpperPositonChanged(int milliseconds)
{
    setSegmentEnd(milliseconds);
}

void VideoCutWT::onCaptureMove(int x, int y, int w, int h)
{
    const QSize preview = output()->size();
    const QRect crop = PreviewGeometry::selectionToSource(QRect(x, y, w, h), preview, sourceSize());
    m_x->setText(QString::number(crop.x()));
    m_y->setText(QString::number(crop.y()));
    m_width->setText(QString::number(crop.width()));
    m_height->setText(QString::number(crop.height()));
    qCDebug(lcTools) << "screenHeight:" << preview.height() << ",screenWidth:" << preview.width()
                     << ",width:" << w << ",height:" << h;
}

void VideoCutWT::onOKBtn()
{
    if (!segmentIsValid())
        return;
    QString parentName = parentObjectName();
    emit sendSliceData(segmentStart(), segmentEnd(), m_x->text().toInt(), m_y->text().toInt(),
                       m_width->text().toInt(), m_height->text().toInt(), parentName);
    close();
}
