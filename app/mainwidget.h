#pragma once

#include "app/tooltable.h"

#include <QFrame>
#include <QPointer>
#include <QVector>

class MyDialog;

class TitleBar;
class ToolBar;
class ToolBtn;

// The frameless main window: title bar, tool strip, one visible tool page, bottom bar.
class MainWidget final : public QFrame
{
    Q_OBJECT
public:
    explicit MainWidget(QWidget* parent);
    MainWidget(const ToolTable& table, QWidget* parent);

    // The drag band: 0 < x < width - 100 and 0 < y < 60.
    static bool inDragBand(const QPoint& pos, int windowWidth);

    QWidget* currentPage() const { return m_current; }
    // The page a tool of the tool table shows, or nullptr.
    QWidget* pageFor(int tool) const { return m_pages.value(tool); }
    QList<QWidget*> pages() const;
    TitleBar* titleBar() const { return m_titleBar; }
    ToolBar* toolBar() const { return m_toolBar; }
    bool isDragging() const { return m_dragging; }
    // The question a close during a run raised, while it is open.
    MyDialog* quitQuestion() const;

public slots:
    void switchTab(ToolBtn* btn);
    // Files from the command line or a second start: each to the page that takes it, the page of
    // the first one shown; returns how many rows were added.
    int openFiles(const QStringList& paths);
    // Back in front of the user, also from minimised.
    void bringToFront();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // During a run the user is asked once; 确定 stops every page's run, then the window closes.
    void closeEvent(QCloseEvent* event) override;

private:
    bool anyPageRunning() const;
    void createPages(const ToolTable& table);
    QWidget* makeBottomBar();
    void hideAllPages();

    TitleBar* m_titleBar;
    ToolBar* m_toolBar = nullptr;
    QVector<QWidget*> m_pages;
    QWidget* m_current = nullptr;
    QWidget* m_bottomBar = nullptr;
    QPoint m_pressOffset;
    bool m_dragging = false;
    QPointer<MyDialog> m_quitQuestion;
    bool m_quitConfirmed = false;
};
