#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The output-folder chooser: a read-only path, a choose button and an open button.
class ExportFileWT final : public QWidget
{
    Q_OBJECT
public:
    explicit ExportFileWT(QWidget* parent);

    QString text() const;
    void setText(const QString& text);

public slots:
    void onChooseDirClicked();
    void onOpenDirClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLineEdit* m_path;
    QPushButton* m_choose;
    QPushButton* m_open;
};
