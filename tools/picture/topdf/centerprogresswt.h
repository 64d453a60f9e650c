#pragma once

#include "platform/jobfailure.h"

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
    // The run ended: a full bar and both buttons, with a note naming the pictures left out
    // (unreadable or gone); a failed run says so and why, and offers the result only when
    // something of it exists.
    void finish(const QString& path, bool success, const QStringList& skipped = {},
                const JobFailure& failure = {});

    double value() const { return m_value; }
    QString resultPath() const { return m_resultPath; }
    QLabel* label() const { return m_label; }
    // Below the buttons: why a run failed, and which pictures were left out.
    QLabel* note() const { return m_note; }
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
    QLabel* m_note;
    QPushButton* m_close;
    QPushButton* m_result;
    QProgressBar* m_bar;
    double m_value = 0;
    QString m_resultPath;
};
