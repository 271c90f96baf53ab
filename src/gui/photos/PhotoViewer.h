#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

class FileListBox;
class ImageLoader;
class PictureBox;
class QFileSystemModel;
class QStringListModel;
class QTreeView;

// The photo viewer of the main window: the folder list Dir1, the list of the
// folder's pictures File1 and the box Picture2 that shows one of them. The
// picture is decoded by the image loader, off the user-interface thread, into
// Picture1, the picture at its own size, and drawn scaled into Picture2.
//
// The folder list shows the whole folder tree; a folder becomes the list's
// path when it is activated (double click or Enter), as it does when the
// player's photos folder is set at Connect.
class PhotoViewer : public QObject
{
    Q_OBJECT

public:
    // loader may be null: then no picture can be decoded and every file shows
    // "No Preview Available".
    PhotoViewer(QTreeView *dir1, FileListBox *file1, PictureBox *picture2, ImageLoader *loader,
                QObject *parent = nullptr);

    // Makes the folder the path of Dir1, shown current and opened in the tree.
    void setDir1Path(const QString &folder);
    const QString &dir1Path() const { return m_dir1Path; }
    const QString &file1Path() const { return m_file1Path; }
    const QString &file1Pattern() const { return m_file1Pattern; }
    // The names File1 lists.
    QStringList file1Names() const;
    // The picture last loaded, at its own size; null after a failure.
    const QImage &Picture1() const { return m_Picture1; }

    // The path of Dir1 changed: File1 lists that folder's JPEG and BMP files.
    void Dir1_Change();
    // File1's action outside help mode: shows the selected picture.
    void showSelectedPicture();
    // Clears Picture2 and starts loading the file; when it has been decoded it
    // is drawn into Picture2, scaled and centred, or "No Preview Available"
    // is shown if it cannot be.
    void ViewImage(const QString &strFile);

signals:
    void statusText(const QString &text);
    // The picture asked for last has been drawn, or found not to be one.
    void viewed();

private:
    void imageLoaded(quint64 ticket, const QVariant &picture);
    // Draws the picture into Picture2, or "No Preview Available" for a null
    // picture or one that cannot be fitted, and reports it.
    void show(const QImage &image);

    QTreeView *m_Dir1;
    FileListBox *m_File1;
    PictureBox *m_Picture2;
    ImageLoader *m_loader;
    QFileSystemModel *m_folders;
    QStringListModel *m_files;
    QString m_dir1Path;
    QString m_file1Path;
    QString m_file1Pattern;
    QImage m_Picture1;
    quint64 m_waitingFor = 0;  // the ticket of the picture being loaded, 0 when none
};
