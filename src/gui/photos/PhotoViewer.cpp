#include "gui/photos/PhotoViewer.h"

#include "core/photos/ImageLoader.h"
#include "core/photos/PictureFiles.h"
#include "core/photos/PictureFit.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PictureBox.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScrollBar>
#include <QStringListModel>
#include <QTreeView>

namespace {

int depth(QModelIndex index)
{
    int levels = 0;
    for (index = index.parent(); index.isValid(); index = index.parent())
        ++levels;
    return levels;
}

}  // namespace

PhotoViewer::PhotoViewer(QTreeView *dir1, FileListBox *file1, PictureBox *picture2, ImageLoader *loader,
                         QObject *parent)
    : QObject(parent)
    , m_Dir1(dir1)
    , m_File1(file1)
    , m_Picture2(picture2)
    , m_loader(loader)
    , m_folders(new QFileSystemModel(this))
    , m_files(new QStringListModel(this))
{
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_Dir1->setModel(m_folders);
    m_Dir1->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_Dir1->hideColumn(column);
    // The tree starts at the file system's root, so deep folders need little
    // indentation and a name column as wide as its names, scrolled sideways.
    m_Dir1->setIndentation(10);
    m_Dir1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_Dir1->header()->setStretchLastSection(false);
    connect(m_Dir1, &QTreeView::activated, this,
            [this](const QModelIndex &folder) { setDir1Path(m_folders->filePath(folder)); });

    m_File1->setModel(m_files);
    m_File1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (m_loader)
        connect(m_loader, &ImageLoader::loaded, this, &PhotoViewer::imageLoaded);
}

void PhotoViewer::setDir1Path(const QString &folder)
{
    m_dir1Path = folder;
    const QModelIndex index = m_folders->setRootPath(folder);
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent())
        m_Dir1->expand(above);
    m_Dir1->setCurrentIndex(index);
    m_Dir1->expand(index);
    m_Dir1->scrollTo(index);
    m_Dir1->horizontalScrollBar()->setValue(m_Dir1->indentation() * depth(index));
    Dir1_Change();
}

QStringList PhotoViewer::file1Names() const
{
    return m_files->stringList();
}

void PhotoViewer::Dir1_Change()
{
    m_file1Pattern = pictureFilePattern();
    m_file1Path = m_dir1Path;
    m_files->setStringList(listFiles(m_file1Path, m_file1Pattern));
}

void PhotoViewer::showSelectedPicture()
{
    const QString name = m_File1->selectedName();
    if (name.isEmpty())
        return;
    emit statusText(QStringLiteral("Getting Picture.."));
    ViewImage(QDir(m_file1Path).filePath(name));
}

void PhotoViewer::ViewImage(const QString &strFile)
{
    m_Picture2->clear();
    if (m_loader)
        m_waitingFor = m_loader->load(strFile);
    else
        show(QImage());
}

void PhotoViewer::imageLoaded(quint64 ticket, const QVariant &picture)
{
    // A picture that a later click has overtaken is not shown.
    if (ticket != m_waitingFor)
        return;
    m_waitingFor = 0;
    show(picture.value<QImage>());
}

void PhotoViewer::show(const QImage &image)
{
    const QSize target = m_Picture2->targetSize();
    if (!image.isNull() && fitPicture(target.width(), target.height(), image.width(), image.height())) {
        m_Picture1 = image;
        m_Picture2->drawPicture(m_Picture1);
    } else {
        m_Picture1 = QImage();
        m_Picture2->printNoPreview();
    }
    emit statusText(QStringLiteral("Picture loaded.."));
    emit viewed();
}
