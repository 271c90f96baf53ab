#pragma once

#include "gui/common/BarProgress.h"

#include <QString>
#include <QWidget>

class CopyStorage;
class GridModel;
class MessageService;
class VolumeService;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;

// The copy window: picks a folder of the computer and copies the tagged songs
// of the grid into it. A top-level window without owner that deletes itself
// when closed; it cannot be closed while a copy runs.
class frmCopy : public QWidget
{
    Q_OBJECT

public:
    // The services and the grid belong to the creator and must outlive the window.
    frmCopy(GridModel &grid, const QString &playerRoot, MessageService &messages, VolumeService &volumes,
            CopyStorage &storage);

    // The destination folder (the folder list's path).
    QString dirPath() const { return m_dirPath; }
    // Moves the folder list to an existing, readable folder; false otherwise.
    bool setDirPath(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void Command1_Click();
    void Command2_Click();
    void Dir1_Change();
    void Drive1_Change(int index);

private:
    void fillDrives();

    GridModel &m_grid;
    QString m_playerRoot;
    MessageService &m_messages;
    VolumeService &m_volumes;
    CopyStorage &m_storage;
    QString m_dirPath;
    bool m_copying = false;

    QLabel *Label1;
    QComboBox *Drive1;
    QTreeView *Dir1;
    QFileSystemModel *m_folders;
    QLineEdit *Text1;
    QPushButton *Command2;
    QPushButton *Command1;
    QProgressBar *PBar;
    BarProgress m_progress;  // PBar and Text1 as the copy reports to them
};
