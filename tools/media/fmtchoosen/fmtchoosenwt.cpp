#include "tools/media/fmtchoosen/fmtchoosenwt.h"

#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "tools/media/fmtchoosen/fmtchobtn.h"
#include "tools/media/fmtchoosen/fmtchorightwt.h"
#include "tools/media/fmtchoosen/fmtrightbtn.h"
#include "tools/media/fmtchoosen/searchwt.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
const char kHeaderSelected[] = "QPushButton{border:0px; background-color:@selectedTab;color:white;}";
const char kHeaderNormal[] = "QPushButton{border:0px; background-color:white;color:@text;}";
const char kScrollStyle[] =
    "QScrollArea{border:0px;background:white;}"
    "QScrollBar:vertical{width:6px;background:transparent;margin:0px;}"
    "QScrollBar::handle:vertical{background:@formatScrollHandle;border-radius:3px;min-height:30px;}"
    "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}";

QList<int> formatRange(int first, int last)
{
    QList<int> formats;
    for (int format = first; format <= last; ++format)
        formats << format;
    return formats;
}

QPushButton* makeHeader(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setFixedSize(250, 40);
    button->setFont(AppFonts::standardFont());
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
} // namespace

FmtChoosenWT::FmtChoosenWT(bool offerSameAsSource, int categoryMode, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint),
      m_offerSameAsSource(offerSameAsSource), m_categoryMode(categoryMode),
      m_videoHeader(makeHeader(tr("视频"), this)), m_audioHeader(makeHeader(tr("音频"), this))
{
    setFixedSize(500, 500);
    setStyleSheet(StyleSheet::make("FmtChoosenWT{background:white;border:1px solid @panelBorder;}"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* header = new QHBoxLayout();
    header->setSpacing(0);
    header->addWidget(m_videoHeader);
    header->addWidget(m_audioHeader);
    header->addStretch();
    layout->addLayout(header);
    connect(m_videoHeader, &QPushButton::clicked, this, &FmtChoosenWT::onHeaderClicked);
    connect(m_audioHeader, &QPushButton::clicked, this, &FmtChoosenWT::onHeaderClicked);

    buildPart(m_video, formatRange(CombEnum::MP4, CombEnum::SWF), false);
    buildPart(m_audio, formatRange(CombEnum::MP3, CombEnum::OGG), true);
    layout->addWidget(m_video.widget, 1);
    layout->addWidget(m_audio.widget, 1);
    showFormat(m_video, CombEnum::MP4);
    showFormat(m_audio, CombEnum::MP3);

    m_videoHeader->setVisible(categoryMode != AudioOnly);
    m_audioHeader->setVisible(categoryMode != VideoOnly);
    // A single header takes the whole width.
    if (categoryMode != VideoAndAudio)
        (categoryMode == AudioOnly ? m_audioHeader : m_videoHeader)->setFixedWidth(500);
    showAudio(categoryMode == AudioOnly);
}

void FmtChoosenWT::buildPart(Part& part, const QList<int>& formats, bool audio)
{
    part.widget = new QWidget(this);
    auto* row = new QHBoxLayout(part.widget);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    auto* left = new QWidget(part.widget);
    left->setFixedWidth(180);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    auto* scroll = new QScrollArea(left);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setStyleSheet(StyleSheet::make(kScrollStyle));
    auto* list = new QWidget(scroll);
    list->setStyleSheet(QStringLiteral("QWidget{background:white;}"));
    auto* listLayout = new QVBoxLayout(list);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    listLayout->setAlignment(Qt::AlignTop);
    for (int format : formats) {
        auto* entry = new FmtChoBtn(format, list);
        listLayout->addWidget(entry);
        part.entries << entry;
        connect(entry, &FmtChoBtn::clicked, this,
                audio ? &FmtChoosenWT::switchAudioRight : &FmtChoosenWT::switchVideoRight);
    }
    scroll->setWidget(list);
    part.search = new SearchWT(left);
    leftLayout->addWidget(scroll, 1);
    leftLayout->addWidget(part.search);
    connect(part.search, &SearchWT::search, this,
            audio ? &FmtChoosenWT::onAudioSearch : &FmtChoosenWT::onVideoSearch);
    row->addWidget(left);

    auto* right = new QWidget(part.widget);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    for (int format : formats) {
        const QList<FmtPreset> presets =
            audio ? CombEnum::audioPresets(format) : CombEnum::videoPresets(format, m_offerSameAsSource);
        if (presets.isEmpty())
            continue;
        auto* panel = new FmtChoRightWT(format, right);
        for (const FmtPreset& preset : presets) {
            auto* button = new FmtRightBtn(preset, panel);
            panel->addButton(button);
            part.presets << button;
            connect(button, &FmtRightBtn::clicked, this,
                    audio ? &FmtChoosenWT::clickAudioRightBtn : &FmtChoosenWT::clickVideoRightBtn);
        }
        part.panels.insert(format, panel);
        rightLayout->addWidget(panel, 1);
        panel->hide();
    }
    // M4R and APE have no presets: their entry says so and leaves the current target alone.
    part.note = new QLabel(right);
    part.note->setWordWrap(true);
    part.note->setAlignment(Qt::AlignCenter);
    part.note->setFont(AppFonts::standardFont());
    part.note->setStyleSheet(
        StyleSheet::make("QLabel{color:@itemDetail;background:white;border-left:2px solid @panelBorder;"
                         "padding:20px;}"));
    rightLayout->addWidget(part.note, 1);
    part.note->hide();
    row->addWidget(right, 1);
}

void FmtChoosenWT::showFormat(Part& part, int format)
{
    part.current = format;
    for (FmtChoBtn* entry : qAsConst(part.entries))
        entry->setSelected(entry->format() == format);
    for (FmtChoRightWT* panel : qAsConst(part.panels))
        panel->setVisible(panel->format() == format);
    FmtChoRightWT* panel = part.panels.value(format);
    if (panel) {
        panel->highlight(panel->buttons().value(0));
        part.note->hide();
    } else {
        part.note->setText(
            tr("%1 格式暂无可用的转换预设，\n请选择其他格式。").arg(CombEnum::formatName(format)));
        part.note->show();
    }
}

void FmtChoosenWT::switchVideoRight()
{
    if (auto* entry = qobject_cast<FmtChoBtn*>(sender()))
        showFormat(m_video, entry->format());
}

void FmtChoosenWT::switchAudioRight()
{
    if (auto* entry = qobject_cast<FmtChoBtn*>(sender()))
        showFormat(m_audio, entry->format());
}

void FmtChoosenWT::clickedSubBtn() {}

void FmtChoosenWT::clickVideoRightBtn()
{
    if (auto* button = qobject_cast<FmtRightBtn*>(sender())) {
        emit choosenRightBtn(button);
        hide();
    }
}

void FmtChoosenWT::clickAudioRightBtn()
{
    clickVideoRightBtn();
}

void FmtChoosenWT::onHeaderClicked()
{
    showAudio(sender() == m_audioHeader);
}

void FmtChoosenWT::showAudio(bool audio)
{
    m_audioHeader->setStyleSheet(StyleSheet::make(audio ? kHeaderSelected : kHeaderNormal));
    m_videoHeader->setStyleSheet(StyleSheet::make(audio ? kHeaderNormal : kHeaderSelected));
    m_video.widget->setVisible(!audio);
    m_audio.widget->setVisible(audio);
}

bool FmtChoosenWT::isAudioShown() const
{
    return !m_audio.widget->isHidden();
}

const FmtChoosenWT::Part& FmtChoosenWT::visiblePart() const
{
    return isAudioShown() ? m_audio : m_video;
}

int FmtChoosenWT::currentFormat() const
{
    return visiblePart().current;
}

FmtChoRightWT* FmtChoosenWT::currentPanel() const
{
    return visiblePart().panels.value(visiblePart().current);
}

QLabel* FmtChoosenWT::noPresetNote() const
{
    return visiblePart().note;
}

void FmtChoosenWT::filter(Part& part, const QString& text)
{
    const QString wanted = text.toLower();
    for (FmtChoBtn* entry : qAsConst(part.entries))
        entry->setVisible(wanted.isEmpty() || entry->text().left(wanted.size()).toLower() == wanted);
}

void FmtChoosenWT::onVideoSearch(QString& text)
{
    filter(m_video, text);
}

void FmtChoosenWT::onAudioSearch(QString& text)
{
    filter(m_audio, text);
}

void FmtChoosenWT::select(const FmtPreset& preset)
{
    const bool audio = CombEnum::isAudioFormat(preset.format);
    if ((audio && m_categoryMode == VideoOnly) || (!audio && m_categoryMode == AudioOnly))
        return;
    Part& part = audio ? m_audio : m_video;
    showAudio(audio);
    showFormat(part, preset.format);
    if (FmtChoRightWT* panel = part.panels.value(preset.format)) {
        for (FmtRightBtn* button : panel->buttons()) {
            if (button->label() == preset.label)
                panel->highlight(button);
        }
    }
}

void FmtChoosenWT::openBelow(const QWidget* box, bool alignRight)
{
    const QPoint corner = alignRight ? box->mapToGlobal(QPoint(box->width(), box->height()))
                                     : box->mapToGlobal(QPoint(0, box->height()));
    QPoint topLeft(alignRight ? corner.x() - width() : corner.x(), corner.y());
    // Near the foot of the screen the popup opens above the box instead of running off it.
    if (const QScreen* screen = QGuiApplication::screenAt(corner)) {
        const QRect available = screen->availableGeometry();
        if (topLeft.y() + height() > available.bottom() &&
            corner.y() - box->height() - height() >= available.top())
            topLeft.setY(corner.y() - box->height() - height());
        topLeft.setX(
            qBound(available.left(), topLeft.x(), qMax(available.left(), available.right() - width())));
    }
    move(topLeft);
    show();
    raise();
}

void FmtChoosenWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}
