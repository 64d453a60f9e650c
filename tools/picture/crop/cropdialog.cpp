#include "tools/picture/crop/cropdialog.h"

#include "platform/logcategories.h"
#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"
#include "tools/picture/crop/cropmaskwt.h"
#include "tools/picture/crop/cropscale.h"
#include "widgets/mylineedit.h"

#include <QDebug>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kTitleHeight = 45;
// The close button's corner of the title bar does not move the window.
constexpr int kDragRightMargin = 50;

// QIntValidator lets a value above its top through as "intermediate" text; a size edit must never
// hold more than the picture has.
class SizeValidator final : public QIntValidator
{
public:
    SizeValidator(int top, QObject* parent) : QIntValidator(0, top, parent) {}
    State validate(QString& input, int& pos) const override
    {
        const State state = QIntValidator::validate(input, pos);
        return state == Intermediate && !input.isEmpty() ? Invalid : state;
    }
};
} // namespace

CropDialog::CropDialog(int rowIndex, const QString& sourcePath, QWidget* parent)
    : QDialog(parent), m_rowIndex(rowIndex)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(WidgetSize::mainWindow());
    setStyleSheet(StyleSheet::make("CropDialog{background-color:white;border:1px solid @accent;}"));

    m_pictureArea = new QWidget(this);
    m_pictureArea->setFixedHeight(WidgetSize::cropPictureArea().height());
    m_mask = new CropMaskWT(sourcePath, m_pictureArea);
    m_picture = m_mask->pictureSize();
    m_rect = QRect(QPoint(0, 0), m_picture);
    connect(m_mask, &CropMaskWT::captureMove, this, &CropDialog::onCropMaskCaptureMove);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(20);
    layout->addWidget(makeTitleBar(sourcePath));
    layout->addWidget(m_pictureArea);
    layout->addWidget(makeToolRow());
    layout->addWidget(makeButtonRow());

    m_fitScale = CropScale::fitScale(m_picture, area());
    showAt(m_fitScale, true);
    // As large as the main window, it lies right over it.
    if (parent)
        move(parent->window()->geometry().center() - rect().center());
}

QSize CropDialog::area() const
{
    return {width(), WidgetSize::cropPictureArea().height()};
}

QWidget* CropDialog::makeTitleBar(const QString& sourcePath)
{
    auto* bar = new QWidget(this);
    bar->setFixedHeight(kTitleHeight);
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setStyleSheet(StyleSheet::make("QWidget{background-color:@titleBar;}"));
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(10, 0, 0, 0);
    layout->setSpacing(0);
    m_title = new QLabel(QFileInfo(sourcePath).fileName() + tr(" 【图像大小：") +
                             QString::number(m_picture.width()) + QStringLiteral(" x ") +
                             QString::number(m_picture.height()) + tr(" 像素") + tr("】"),
                         bar);
    m_title->setFixedHeight(kTitleHeight);
    m_title->setFont(AppFonts::standardFont());
    m_title->setStyleSheet(QStringLiteral("QLabel{color:white;border:0px;padding-left:10px;}"));
    m_close = new QPushButton(bar);
    m_close->setFixedSize(kTitleHeight, kTitleHeight);
    m_close->setIcon(QIcon(QStringLiteral(":/icons/icons/close_white.png")));
    m_close->setToolTip(tr("关闭"));
    m_close->setStyleSheet(
        StyleSheet::make("QPushButton{border:0px; background-color:@titleBar;}"
                         "QPushButton:hover{border:0px; background-color:@closeButtonHover;}"));
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(m_title);
    layout->addStretch();
    layout->addWidget(m_close);
    return bar;
}

QPushButton* CropDialog::makeToolButton(const char* icon, const QString& tip)
{
    auto* button = new QPushButton(this);
    button->setFixedSize(WidgetSize::cropToolButton());
    button->setIcon(QIcon(QLatin1String(icon)));
    button->setIconSize(WidgetSize::cropToolIcon());
    button->setToolTip(tip);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(
        StyleSheet::make("QPushButton{border:0px;background-color:white;}"
                         "QPushButton:hover{border:0px;background-color:@toolButtonHover;}"));
    return button;
}

QWidget* CropDialog::makeToolRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(20);
    m_bigger = makeToolButton(":/icons/icons/bigger.png", tr("放大"));
    m_smaller = makeToolButton(":/icons/icons/smaller.png", tr("缩小"));
    m_fit = makeToolButton(":/icons/icons/adjustsize.png", tr("适应窗口"));
    connect(m_bigger, &QPushButton::clicked, this, &CropDialog::bigger);
    connect(m_smaller, &QPushButton::clicked, this, &CropDialog::smaller);
    connect(m_fit, &QPushButton::clicked, this, &CropDialog::adjustWin);
    m_scaleEdit = new MyLineEdit(row);
    m_scaleEdit->setReadOnly(true);
    m_scaleEdit->setFixedWidth(WidgetSize::cropSizeEdit().width());

    auto* sizeGroup = new QWidget(row);
    sizeGroup->setFixedWidth(WidgetSize::cropSizeGroup().width());
    auto* sizeLayout = new QHBoxLayout(sizeGroup);
    sizeLayout->setContentsMargins(0, 0, 0, 0);
    sizeLayout->setSpacing(10);
    auto* label = new QLabel(tr("剪切尺寸："), sizeGroup);
    label->setFont(AppFonts::standardFont());
    label->setStyleSheet(QStringLiteral("QLabel{border:0px;}"));
    auto* times = new QLabel(QStringLiteral("x"), sizeGroup);
    times->setFont(AppFonts::standardFont());
    times->setStyleSheet(QStringLiteral("QLabel{border:0px;}"));
    m_widthEdit = new MyLineEdit(sizeGroup);
    m_heightEdit = new MyLineEdit(sizeGroup);
    m_widthEdit->setValidator(new SizeValidator(m_picture.width(), m_widthEdit));
    m_heightEdit->setValidator(new SizeValidator(m_picture.height(), m_heightEdit));
    for (MyLineEdit* edit : {m_widthEdit, m_heightEdit}) {
        edit->setFixedWidth(WidgetSize::cropSizeEdit().width());
        connect(edit, &QLineEdit::textEdited, this, &CropDialog::onTextEdited);
    }
    writeSizeEdits();
    sizeLayout->addWidget(label);
    sizeLayout->addWidget(m_widthEdit);
    sizeLayout->addWidget(times);
    sizeLayout->addWidget(m_heightEdit);
    sizeLayout->addStretch();

    layout->addStretch();
    layout->addWidget(m_bigger);
    layout->addWidget(m_smaller);
    layout->addWidget(m_scaleEdit);
    layout->addWidget(m_fit);
    layout->addWidget(sizeGroup);
    layout->addStretch();
    return row;
}

QWidget* CropDialog::makeButtonRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 30, 20);
    layout->setSpacing(20);
    auto makeButton = [row](const QString& text, const char* sheet) {
        auto* button = new QPushButton(text, row);
        button->setFixedSize(WidgetSize::cropDialogButton());
        button->setFont(AppFonts::standardFont());
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(StyleSheet::make(sheet));
        return button;
    };
    m_ok = makeButton(tr("确定"),
                      "QPushButton{background-color:@confirmButton;color:white;border:0px;border-radius:5px;}"
                      "QPushButton:hover{background-color:@confirmButtonHover;border:0px;}");
    m_cancel =
        makeButton(tr("取消"), "QPushButton{background-color:@cancelButton;border:1px solid "
                               "@cancelButtonBorder;color:@cancelButtonText;"
                               "border-radius:5px;}QPushButton:hover{background-color:@cancelButtonHover;"
                               "border:1px solid @hoverBorder;color:@cancelButtonText;}");
    connect(m_ok, &QPushButton::clicked, this, &CropDialog::onOKBtn);
    connect(m_cancel, &QPushButton::clicked, this, &CropDialog::onCancelBtn);
    layout->addStretch();
    layout->addWidget(m_ok);
    layout->addWidget(m_cancel);
    return row;
}

// Every zoom step keeps the selection: the box is the stored rectangle at the new factor, so
// zooming never loses or changes what the user marked.
void CropDialog::showAt(double factor, bool clampToArea)
{
    const QSize shown = CropScale::displayed(m_picture, factor, clampToArea, area());
    m_mask->resize(shown);
    m_factor = factor;
    placeBox(CropScale::toDisplayed(m_rect, factor).intersected(QRect(QPoint(0, 0), shown)));
    m_mask->move((area().width() - shown.width()) / 2, (area().height() - shown.height()) / 2);
    m_scaleEdit->setText(CropScale::percentText(factor));
}

void CropDialog::bigger()
{
    showAt(CropScale::zoomIn(m_factor), false);
}

void CropDialog::smaller()
{
    showAt(CropScale::zoomOut(m_factor), false);
}

void CropDialog::adjustWin()
{
    showAt(m_fitScale, true);
}

void CropDialog::placeBox(const QRect& box)
{
    m_mask->setBoxRect(box);
    m_box = m_mask->boxRect();
}

void CropDialog::onCropMaskCaptureMove(int x, int y, int width, int height)
{
    const QRect box(x, y, width, height);
    // Moving the box must not turn a size into displayed pixels and back: at most zooms that
    // rounds a typed or drawn width a pixel away from itself.
    if (box.size() == m_box.size() && !m_rect.isEmpty())
        m_rect = CropScale::movedTo(m_rect, box, m_mask->size(), m_factor, m_picture);
    else
        m_rect = CropScale::toSource(box, m_factor, m_picture);
    m_box = box;
    writeSizeEdits();
    qCDebug(lcTools) << "scale:" << m_factor << ",width:" << width << ",height:" << height;
}

void CropDialog::writeSizeEdits()
{
    m_widthEdit->setText(QString::number(m_rect.width()));
    m_heightEdit->setText(QString::number(m_rect.height()));
}

void CropDialog::onTextEdited()
{
    if (m_widthEdit->text().isEmpty() || m_heightEdit->text().isEmpty())
        return;
    const int width = m_widthEdit->text().toInt();
    const int height = m_heightEdit->text().toInt();
    if (width <= 5 || height <= 5)
        return;
    // A typed size keeps its corner where it is unless the rectangle would leave the picture;
    // then it slides back in, so what is cut is what was typed.
    const int left = qMin(m_rect.x(), m_picture.width() - width);
    const int top = qMin(m_rect.y(), m_picture.height() - height);
    m_rect = QRect(left, top, width, height);
    qCDebug(lcTools) << "width:" << int(width * m_factor);
    placeBox(CropScale::toDisplayed(m_rect, m_factor).intersected(m_mask->rect()));
}

void CropDialog::onOKBtn()
{
    emit finishCrop(m_rowIndex, m_rect.x(), m_rect.y(), m_rect.width(), m_rect.height());
    close();
}

void CropDialog::onCancelBtn()
{
    close();
}

void CropDialog::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->pos();
    if (p.x() > 0 && p.x() < width() - kDragRightMargin && p.y() > 0 && p.y() < kTitleHeight) {
        m_dragging = true;
        m_pressPoint = p;
    }
    QDialog::mousePressEvent(event);
}

void CropDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        move(event->globalPos() - m_pressPoint);
    QDialog::mouseMoveEvent(event);
}

void CropDialog::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}

void CropDialog::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}
