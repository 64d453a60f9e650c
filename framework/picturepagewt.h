#pragma once

#include "imaging/imgjob.h"

#include <QList>
#include <QPointer>
#include <QUrl>
#include <QWidget>

class ImgThread;
class MyTable;
class OperBtnBar;
class PictureCenterWT;
class PictureParamWT;

// What every picture page shares: intake, the table's row actions, the busy guard and the batch start.
class PicturePageWT : public QWidget
{
    Q_OBJECT
public:
    // How a row's open-folder button shows its result.
    enum class OpenDirForm
    {
        OutputFolder,
        ContainingFolder,
        SelectInFileManager
    };

    struct Texts
    {
        QString dialogTitle;
        QString emptyList;
    };

    PicturePageWT(const QStringList* extensions, const Texts& texts, OpenDirForm openForm, QWidget* parent);

    bool isBusy() const { return m_busy; }
    MyTable* table() const;
    PictureCenterWT* center() const { return m_center; }
    // The add-row rule over a list of paths; returns how many rows were added.
    int addPaths(const QStringList& paths);
    void addFolder(const QString& folder);

public slots:
    void addFile();
    void deleteItem();
    void clearTable();
    void addDir();
    void openItemDir();
    void setProgress(int progress, int rowIndex);
    void done(const QString& exportFilePath, int rowIndex, bool isSuccess);
    void onDragAndDrop(QList<QUrl> urls);

protected:
    // Subclasses build their centre, then hand it over.
    void setCenter(PictureCenterWT* center, PictureParamWT* panel, const char* startSlot);
    // The shared start: notices, records of existing files, busy flag, the runner.
    // Returns the runner, or nullptr when the start was refused.
    ImgThread* startBatch(const ImgJobParams& params);
    QList<ImgJobRecord> collectRecords();
    void showNotice(const QString& text);
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool reportsBelongToTable() const;

    const QStringList* m_extensions;
    Texts m_texts;
    OpenDirForm m_openForm;
    OperBtnBar* m_operBar;
    PictureCenterWT* m_center = nullptr;
    PictureParamWT* m_panel = nullptr;
    bool m_busy = false;
    // Set when the list is cleared under a running batch: its row reports then name rows
    // that are gone (or rows added after the clearing) and are dropped.
    bool m_rowsDetached = false;
};
