#pragma once

#include <QDialog>
#include <QRect>

class CropMaskWT;
class MyLineEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// The modal dialog in which the user marks, on one picture shown upright, the rectangle the crop
// page cuts out. The rectangle is kept in the upright picture's pixels.
class CropDialog final : public QDialog
{
    Q_OBJECT
public:
    CropDialog(int rowIndex, const QString& sourcePath, QWidget* parent);

    QSize pictureSize() const { return m_picture; }
    QRect storedRect() const { return m_rect; }
    double factor() const { return m_factor; }
    double fitScale() const { return m_fitScale; }
    CropMaskWT* mask() const { return m_mask; }
    QWidget* pictureArea() const { return m_pictureArea; }
    QLineEdit* scaleEdit() const { return m_scaleEdit; }
    MyLineEdit* widthEdit() const { return m_widthEdit; }
    MyLineEdit* heightEdit() const { return m_heightEdit; }
    QLabel* titleLabel() const { return m_title; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* closeButton() const { return m_close; }
    QPushButton* biggerButton() const { return m_bigger; }
    QPushButton* smallerButton() const { return m_smaller; }
    QPushButton* fitButton() const { return m_fit; }

signals:
    void finishCrop(int index, int x, int y, int width, int height);

public slots:
    void bigger();
    void smaller();
    void adjustWin();
    void onCropMaskCaptureMove(int x, int y, int width, int height);
    void onOKBtn();
    void onCancelBtn();
    void onTextEdited();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeTitleBar(const QString& sourcePath);
    QWidget* makeToolRow();
    QWidget* makeButtonRow();
    QPushButton* makeToolButton(const char* icon, const QString& tip);
    void showAt(double factor, bool clampToArea);
    QSize area() const;
    void writeSizeEdits();
    void placeBox(const QRect& box);

    int m_rowIndex;
    QSize m_picture;
    QRect m_rect;
    // The box as the dialog last placed or reported it: a report of the same size is a move.
    QRect m_box;
    double m_factor = 1;
    double m_fitScale = 1;
    bool m_dragging = false;
    QPoint m_pressPoint;
    CropMaskWT* m_mask = nullptr;
    QWidget* m_pictureArea = nullptr;
    QLabel* m_title = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_bigger = nullptr;
    QPushButton* m_smaller = nullptr;
    QPushButton* m_fit = nullptr;
    QLineEdit* m_scaleEdit = nullptr;
    MyLineEdit* m_widthEdit = nullptr;
    MyLineEdit* m_heightEdit = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
