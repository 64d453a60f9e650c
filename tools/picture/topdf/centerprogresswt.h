#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// The shade over the picture list while a PDF run goes on, and its result when it ends.
class CenterProgressWT final : public QWidget
{
    Q_OBJECT
public:
    explicit CenterProgressWT(QWidget* parent);

    // "0%", an empty bar, no buttons.
    void reset();
    void setValue(double value);
    // The run ended: a full bar and both buttons, with a note when some pictures were unreadable;
    // a failed run says so and offers the result only when something of it exists.
    void finish(const QString& path, bool success, int unreadable = 0);

    double value() const { return m_value; }
    QString resultPath() const { return m_resultPath; }
    QLabel* label() const { return m_label; }
    QProgressBar* bar() const { return m_bar; }
    QPushButton* closeButton() const { return m_close; }
    QPushButton* resultButton() const { return m_result; }

    static QColor shade();
    static void paintShade(QPainter& painter, const QRect& rect);

public slots:
    void onOpenDirClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showText(const QString& text);
    QPushButton* makeButton(const QString& text, const char* style);

    QLabel* m_label;
    QPushButton* m_close;
    QPushButton* m_result;
    QProgressBar* m_bar;
    double m_value = 0;
    QString m_resultPath;
};
