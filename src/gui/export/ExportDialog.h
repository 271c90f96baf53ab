#pragma once

#include "core/export/ExportJob.h"
#include "core/export/ExportSong.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QMutex>
#include <QString>

#include <atomic>
#include <optional>

class CopyStorage;
class FileDialogService;
class GridModel;
class MessageService;
class TagFiller;
class UrlOpener;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QThread;
class QTimer;

// What the export window works with; it all belongs to the creator.
struct ExportServices
{
    CopyStorage &storage;
    TagFiller *tags;             // null: no tags can be filled in, the check box is disabled
    UrlOpener &opener;           // Open Folder
    FileDialogService &dialogs;  // the destination folder and the file the unreadable songs are saved to
    MessageService &messages;
};

// File > Export Library...: the destination, the name template with a
// preview of the first songs' paths, "Only tagged songs" and the tag filling;
// the export runs on a worker thread while the window shows the songs, bytes,
// rate and time left, and Cancel stops it after the current song. At the end
// a summary, Open Folder, and the list of songs that could not be read, which
// can be saved. The library and the grid must outlive the window and stay as
// they are while it is open.
class ExportDialog : public QDialog
{
    Q_OBJECT

public:
    ExportDialog(ExportLibrary library, const GridModel &grid, QString playerRoot, ExportServices services,
                 QWidget *parent = nullptr);
    ~ExportDialog() override;

    bool running() const { return m_thread != nullptr; }
    // The summary of the last export, empty before.
    QString summary() const;
    // The paths the preview shows.
    QStringList preview() const;

signals:
    void exportFinished();  // the worker is done and the summary shown

protected:
    void reject() override;

private:
    void updatePreview();
    void browse();
    void start();
    void cancel();
    void showProgress();
    void done();
    void saveList();
    std::optional<ExportLayout> layout(QString *why) const;
    std::vector<bool> selection() const;

    ExportLibrary m_library;
    const GridModel &m_grid;
    QString m_playerRoot;
    ExportServices m_services;

    QLineEdit *m_destination;
    QPushButton *m_browse;
    QLineEdit *m_template;
    QPlainTextEdit *m_preview;
    QCheckBox *m_onlyTagged;
    QCheckBox *m_fillTags;
    QProgressBar *m_bar;
    QLabel *m_status;
    QLabel *m_summary;
    QPlainTextEdit *m_unreadable;
    QPushButton *m_export;
    QPushButton *m_cancel;
    QPushButton *m_openFolder;
    QPushButton *m_saveList;
    QPushButton *m_close;
    QTimer *m_poll;

    // Shared with the worker thread.
    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancelled = false;
    mutable QMutex m_mutex;
    ExportTally m_tally;    // under m_mutex
    ExportReport m_report;  // written by the worker before it ends
    QString m_exportedTo;
    QElapsedTimer m_clock;
    bool m_closeWhenDone = false;
};
