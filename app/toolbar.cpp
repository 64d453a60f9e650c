#include "app/toolbar.h"

#include "app/toolbtn.h"
#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {
struct ToolEntry
{
    const char* label;
    const char* normalIcon;
    const char* selectedIcon;
};

const ToolEntry kTools[ToolBar::ToolCount] = {
    {"格式转换", "ch_format", "ch_format_p"},
    {"HEIC转换", "heic_to_img", "heic_to_img_p"},
    {"RAW转换", "raw_to_img", "raw_to_img_p"},
    {"GIF压缩", "gif_compress", "gif_compress_p"},
    {"PNG/JPG压缩", "zip", "zip_p"},
    {"PDF转图片", "to_pdf", "to_pdf_p"},
    {"图片转PDF", "to_pdf", "to_pdf_p"},
    {"图片裁剪", "img_crop", "img_crop_p"},
    {"批量图片旋转", "rotating", "rotating_p"},
    {"批量尺寸修改", "size_updating", "size_updating_p"},
    {"视频格式转换", "zip_white", "video_fmt"},
    {"视频压缩", "zip_white", "video_compress"},
    {"音频/视频提取", "zip_white", "video_compress"},
    {"视频切割", "zip_white", "video_cut"},
    {"视频拼接", "zip_white", "video_concat"},
    {"视频转gif", "zip_white", "video_togif"},
    {"音频格式转换", "zip_white", "audio_chfmt"},
    {"实用工具箱", "zip_white", "tool_box"},
};

QString iconPath(const char* name)
{
    return QStringLiteral(":/icons/icons/") + QString::fromUtf8(name) + QStringLiteral(".png");
}
} // namespace

ToolBar::ToolBar(QWidget* parent) : QWidget(parent), m_caption(new QLabel(QStringLiteral("更多功能敬请期待")))
{
    for (const ToolEntry& entry : kTools) {
        // Created without parent: only the strip's layout adopts the shown ones.
        auto* button = new ToolBtn(iconPath(entry.selectedIcon), iconPath(entry.normalIcon),
                                   QString::fromUtf8(entry.label), nullptr);
        connect(button, SIGNAL(signal_parent(ToolBtn*)), this, SLOT(slot_set(ToolBtn*)));
        m_buttons << button;
    }
    for (int tool = 0; tool < ToolCount; ++tool) {
        if (tool != MediaExtract)
            m_exclusive << m_buttons.at(tool);
    }
    m_caption->setFont(AppFonts::standardFont());
    m_caption->setStyleSheet(StyleSheet::make("QLabel{color:@text;padding-bottom:5px;}"));
    m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);

    // Nothing listens yet, so this selects without switching pages.
    m_buttons.at(Heic)->slot_pressed();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (int tool : {Heic, Raw, Format, Rotate, Resize})
        layout->addWidget(m_buttons.at(tool));
    layout->addStretch();
    setStyleSheet(StyleSheet::make("ToolBar{background-color:@strip;}"));
}

ToolBar::~ToolBar()
{
    // The buttons that were never laid out have no parent to delete them.
    for (ToolBtn* button : m_buttons) {
        if (!button->parent())
            delete button;
    }
    delete m_caption;
}

int ToolBar::toolOf(const ToolBtn* button) const
{
    return m_buttons.indexOf(const_cast<ToolBtn*>(button));
}

ToolBtn* ToolBar::selectedButton() const
{
    for (ToolBtn* button : m_buttons) {
        if (button->isSelected())
            return button;
    }
    return nullptr;
}

void ToolBar::slot_set(ToolBtn* btn)
{
    for (ToolBtn* button : m_exclusive) {
        if (button != btn)
            button->unselect();
    }
    emit siginalParent(btn);
}

void ToolBar::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}
