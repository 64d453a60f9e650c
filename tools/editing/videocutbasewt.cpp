#include "tools/editing/videocutbasewt.h"

#include "platform/logcategories.h"
#include "player/videooutputwt.h"
#include "player/videoplayer.h"
#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "tools/editing/cutsliderwt.h"
#include "widgets/mydialog.h"

#include <QDebug>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTime>

namespace {
constexpr int kDialogWidth = 900;
constexpr int kDialogHeight = 800;
constexpr int kTitleHeight = 45;
// Presses strictly inside this strip of the title bar move the window; the close button is right of it.
constexpr int kDragZoneWidth = 850;

const char kFieldStyle[] = "QLineEdit{color:@text;border:1px solid @timeFieldBorder;border-radius:3px;}";
} // namespace

VideoCutBaseWT::VideoCutBaseWT(const QString& filePath, int durationMs, int videoWidth, int videoHeight,
                               QWidget* parent)
    : QDialog(parent), m_filePath(filePath), m_durationMs(durationMs), m_sourceSize(videoWidth, videoHeight),
      m_segmentEnd(durationMs), m_player(new VideoPlayer(this)), m_output(new VideoOutputWT),
      m_layout(new QVBoxLayout(this))
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kDialogWidth, kDialogHeight);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(buildTitleBar(), 1);

    m_player->setRenderer(m_output);
    m_player->setFile(m_filePath);

    m_layout->addLayout(buildControls());
    buildSegmentGrid();
    m_layout->addLayout(m_grid);
    m_layout->addLayout(buildButtons());

    // The timeline counts milliseconds: a segment starts and ends on the frame its markers show.
    m_timeline->setMinValue(double(m_player->mediaStartPosition()));
    m_timeline->setMaxValue(double(durationMs));
    m_timeline->setEnabled(true);
    setSegmentEnd(durationMs);
    qCDebug(lcTools) << "mediaStartPosition:" << m_player->mediaStartPosition()
                     << "mediaStopPosition:" << m_player->mediaStopPosition();

    connect(m_player, &VideoPlayer::started, this, &VideoCutBaseWT::onStarted);
    connect(m_player, &VideoPlayer::seekFinished, this, &VideoCutBaseWT::onSeekFinished);
    connect(m_player, &VideoPlayer::stopped, this, &VideoCutBaseWT::onStopPlay);
    connect(m_player, &VideoPlayer::positionChanged, this, &VideoCutBaseWT::onPositionChange);
    connect(m_player, &VideoPlayer::error, this, &VideoCutBaseWT::onPlayerError);
    connect(m_timeline, &CutSliderWT::processPositonChange, this, qOverload<int>(&VideoCutBaseWT::seek));
    connect(m_timeline, &CutSliderWT::lowerPositionChanged, this, qOverload<int>(&VideoCutBaseWT::seek));
}

VideoCutBaseWT::~VideoCutBaseWT() = default;

QString VideoCutBaseWT::timeText(qint64 milliseconds)
{
    const qint64 ms = qMax<qint64>(0, milliseconds);
    return QTime(0, 0).addMSecs(int(ms % (24 * 3600 * 1000))).toString(QStringLiteral("HH:mm:ss")) +
           QLatin1Char('.') + QString::number(ms % 1000 / 100);
}

QWidget* VideoCutBaseWT::buildTitleBar()
{
    auto* bar = new QWidget(this);
    bar->setFixedHeight(kTitleHeight);
    bar->setStyleSheet(StyleSheet::make("QWidget{background-color:@editorTitleBar;}"));
    auto* name = new QLabel(QFileInfo(m_filePath).fileName(), bar);
    name->setFixedHeight(kTitleHeight);
    name->setFont(AppFonts::standardFont());
    name->setStyleSheet(QStringLiteral("QLabel{color:white;border:0px;padding-left:10px;}"));
    auto* close = new QPushButton(bar);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setFixedSize(kTitleHeight, kTitleHeight);
    close->setIcon(QIcon(QStringLiteral(":/icons/icons/close_white.png")));
    close->setToolTip(tr("关闭"));
    close->setStyleSheet(
        StyleSheet::make("QPushButton{border:0px; background-color:@editorTitleBar;}"
                         "QPushButton:hover{border:0px; background-color:@closeButtonHover;}"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(10, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch();
    layout->addWidget(name);
    layout->addStretch();
    layout->addWidget(close);
    return bar;
}

QLayout* VideoCutBaseWT::buildControls()
{
    m_playButton = new QPushButton(this);
    m_playButton->setObjectName(QStringLiteral("playButton"));
    m_playButton->setMinimumSize(32, 32);
    m_playButton->setMaximumSize(48, 48);
    m_playButton->setIconSize(QSize(32, 32));
    m_playButton->setCursor(Qt::PointingHandCursor);
    m_playButton->setStyleSheet(QStringLiteral("QPushButton{border:0px; background-color:white;}"));
    showPlayIcon(true);
    connect(m_playButton, &QPushButton::clicked, this, &VideoCutBaseWT::playOrPause);

    m_currentTime = new QLabel(timeText(0), this);
    auto* total = new QLabel(QStringLiteral("/") + timeText(m_durationMs), this);
    for (QLabel* label : {m_currentTime, total}) {
        label->setFont(AppFonts::standardFont());
        label->setStyleSheet(StyleSheet::textLabel());
    }
    m_timeline = new CutSliderWT(this);
    auto* volume = new QPushButton(this);
    volume->setIcon(QIcon(QStringLiteral(":/icons/icons/volume.png")));
    volume->setIconSize(QSize(24, 24));
    volume->setStyleSheet(QStringLiteral("QPushButton{border:0px;background-color:white;}"));

    auto* row = new QHBoxLayout;
    row->setSpacing(20);
    row->setContentsMargins(5, 10, 5, 0);
    row->setAlignment(Qt::AlignTop);
    row->addWidget(m_playButton);
    row->addWidget(m_currentTime);
    row->addWidget(total);
    row->addWidget(m_timeline);
    row->addWidget(volume);
    return row;
}

QLabel* VideoCutBaseWT::addGridLabel(const QString& text, int row, int column)
{
    auto* label = new QLabel(text, this);
    label->setFont(AppFonts::standardFont());
    label->setStyleSheet(StyleSheet::textLabel());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->addWidget(label, row, column);
    return label;
}

QLineEdit* VideoCutBaseWT::makeField(const QString& text)
{
    auto* field = new QLineEdit(text, this);
    field->setFont(AppFonts::standardFont());
    field->setStyleSheet(StyleSheet::make(kFieldStyle));
    return field;
}

void VideoCutBaseWT::buildSegmentGrid()
{
    m_grid = new QGridLayout;
    m_grid->setSpacing(20);
    m_grid->setContentsMargins(20, 10, 20, 10);
    addGridLabel(tr("剪切片段"), 0, 0);
    addGridLabel(tr("开始时间："), 1, 0);
    addGridLabel(tr("结束时间："), 2, 0);
    m_startField = makeField(timeText(0));
    m_endField = makeField(timeText(0));
    m_startField->setReadOnly(true);
    m_endField->setReadOnly(true);
    m_grid->addWidget(m_startField, 1, 1);
    m_grid->addWidget(m_endField, 2, 1);
    auto* separator = new QLabel(this);
    separator->setStyleSheet(StyleSheet::make("QLabel{border:0px;border-right:2px solid @quietBorder;}"));
    m_grid->addWidget(separator, 0, 2, 3, 1);
}

QLayout* VideoCutBaseWT::buildButtons()
{
    auto* ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setStyleSheet(StyleSheet::make("QPushButton{border:2px solid @accent;border-radius:5px;color:@text;}"
                                       "QPushButton:hover{border:2px solid @text;}"));
    auto* cancel = new QPushButton(tr("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setStyleSheet(StyleSheet::make("QPushButton{border:2px solid @quietBorder;border-radius:5px;}"
                                           "QPushButton:hover{border:2px solid @text;}"));
    for (QPushButton* button : {ok, cancel}) {
        button->setFont(AppFonts::standardFont());
        button->setFixedSize(120, 40);
        button->setCursor(Qt::PointingHandCursor);
    }
    connect(ok, &QPushButton::clicked, this, [this] { onOKBtn(); });
    connect(cancel, &QPushButton::clicked, this, &VideoCutBaseWT::onCancelBtn);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(20, 0, 20, 20);
    row->setSpacing(20);
    row->setAlignment(Qt::AlignRight);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

void VideoCutBaseWT::setPreview(QWidget* preview)
{
    m_layout->insertWidget(1, preview, 8);
}

void VideoCutBaseWT::showPlayIcon(bool play)
{
    m_playButton->setIcon(
        QIcon(play ? QStringLiteral(":/icons/icons/play.png") : QStringLiteral(":/icons/icons/pause.png")));
    m_playButton->setToolTip(play ? tr("播放") : tr("暂停"));
}

void VideoCutBaseWT::playOrPause()
{
    if (m_player->isPlaying()) {
        m_playing = !m_playing;
        m_player->pause(!m_playing);
        showPlayIcon(!m_playing);
        return;
    }
    m_output->setNotice(QString());
    m_player->setFile(m_filePath);
    m_player->play();
    // Played again after its end, the preview starts from the segment's start.
    if (m_segmentStart > 0)
        m_player->seek(m_segmentStart);
    m_timeline->setEnabled(true);
    m_timeline->setProcessValue(double(m_segmentStart));
    showPlayIcon(false);
    m_playing = true;
}

void VideoCutBaseWT::onStopPlay()
{
    // The markers stay where they are and stay usable: the segment is chosen after the preview
    // has played to its end as much as during it.
    m_playing = false;
    showPlayIcon(true);
    m_timeline->setProcessValue(double(m_segmentStart));
}

void VideoCutBaseWT::onPlayerError(const QString& message)
{
    // The preview stays black; the timeline still sets the segment (seeks go nowhere), and the
    // fields and both buttons keep working.
    m_playing = false;
    showPlayIcon(true);
    m_timeline->setEnabled(true);
    m_output->setNotice(message);
}

void VideoCutBaseWT::onPositionChange(qint64 pos)
{
    if (m_player->isSeekable())
        m_timeline->setProcessValue(double(pos));
    m_currentTime->setText(timeText(pos));
}

void VideoCutBaseWT::seek(int milliseconds)
{
    m_player->seek(milliseconds);
    m_segmentStart = milliseconds;
    m_startField->setText(timeText(m_segmentStart));
}

void VideoCutBaseWT::seek()
{
    seek(int(m_timeline->processValue()));
}

void VideoCutBaseWT::setSegmentEnd(int milliseconds)
{
    m_segmentEnd = milliseconds;
    m_endField->setText(timeText(m_segmentEnd));
}

bool VideoCutBaseWT::segmentIsValid()
{
    // The play marker also moves the start, and it can pass the end pointer.
    if (m_segmentStart < m_segmentEnd)
        return true;
    // A segment of no length would give ffmpeg nothing to write.
    auto* notice = new MyDialog(
        m_segmentStart == m_segmentEnd ? tr("片段时长不能为0！") : tr("开始时间不能晚于结束时间！"), this);
    notice->show();
    return false;
}

void VideoCutBaseWT::onSeekFinished(qint64 pos)
{
    qCDebug(lcTools, "seek finished at %lld/%lld", static_cast<long long>(pos),
            static_cast<long long>(m_player->position()));
}

void VideoCutBaseWT::onStarted() {}

void VideoCutBaseWT::onCancelBtn()
{
    close();
}

QString VideoCutBaseWT::parentObjectName() const
{
    return parentWidget() ? parentWidget()->objectName() : QString();
}

void VideoCutBaseWT::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->pos();
    if (point.x() > 0 && point.x() < kDragZoneWidth && point.y() > 0 && point.y() < kTitleHeight) {
        m_dragging = true;
        m_pressPoint = point;
    }
    QDialog::mousePressEvent(event);
}

void VideoCutBaseWT::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        move(event->globalPos() - m_pressPoint);
    QDialog::mouseMoveEvent(event);
}

void VideoCutBaseWT::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}
