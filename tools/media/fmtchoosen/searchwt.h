#pragma once

#include <QWidget>

class QLineEdit;

// The search box under a format list.
class SearchWT final : public QWidget
{
    Q_OBJECT
public:
    explicit SearchWT(QWidget* parent);

    QLineEdit* lineEdit() const { return m_edit; }

signals:
    void search(QString& text);

public slots:
    void onTextChanged(QString text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLineEdit* m_edit;
};
