#include "gui/copy/frmCopy.h"

#include "core/common/AppInfo.h"
#include "core/common/MessageService.h"
#include "core/copy/CopyFiles.h"
#include "core/device/VolumeService.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeView>
#include <QVBoxLayout>

frmCopy::frmCopy(GridModel &grid, const QString &playerRoot, MessageService &messages, VolumeService &volumes,
                 CopyStorage &storage)
    : m_grid(grid)
    , m_playerRoot(playerRoot.trimmed())
    , m_messages(messages)
    , m_volumes(volumes)
    , m_storage(storage)
    , m_dirPath(QDir::currentPath())
    , Label1(new QLabel(QStringLiteral("Select drive and directory to copy selected files to.."), this))
    , Drive1(new QComboBox(this))
    , Dir1(new QTreeView(this))
    , m_folders(new QFileSystemModel(this))
    , Text1(new QLineEdit(this))
    , Command2(new QPushButton(QStringLiteral("Copy"), this))
    , Command1(new QPushButton(QStringLiteral("Exit"), this))
    , PBar(new QProgressBar(this))
    , m_progress(PBar, [this](const QString &text) { Text1->setText(text); })
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Copy Files!"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1->setObjectName(QStringLiteral("Command1"));
    PBar->setObjectName(QStringLiteral("PBar"));

    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QStringLiteral("/"));
    Dir1->setModel(m_folders);
    for (int c = 1; c < m_folders->columnCount(); ++c)
        Dir1->hideColumn(c);
    Dir1->header()->hide();
    const QModelIndex start = m_folders->index(m_dirPath);
    Dir1->setCurrentIndex(start);
    Dir1->scrollTo(start);

    Text1->setReadOnly(true);
    PBar->setRange(0, 1);
    PBar->setValue(0);
    PBar->setTextVisible(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Drive1);
    layout->addWidget(Dir1, 1);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    layout->addWidget(PBar);
    resize(360, 420);

    fillDrives();
    connect(Drive1, &QComboBox::currentIndexChanged, this, &frmCopy::Drive1_Change);
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (!current.isValid() || setDirPath(m_folders->filePath(current)))
            return;
        // A folder that cannot be entered is not the destination: the highlight
        // goes back to the folder a copy would write to.
        QMetaObject::invokeMethod(
            this, [this] { Dir1->setCurrentIndex(m_folders->index(m_dirPath)); }, Qt::QueuedConnection);
    });
    // Folders are listed in the background: as the folders above the current
    // one arrive, it is selected again and scrolled into the middle of the list.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this] {
        const QModelIndex current = m_folders->index(m_dirPath);
        Dir1->setCurrentIndex(current);
        Dir1->scrollTo(current, QAbstractItemView::PositionAtCenter);
    });
    connect(Command2, &QPushButton::clicked, this, &frmCopy::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmCopy::Command1_Click);
}

// Every mounted volume by its root folder; the one holding the current folder is shown.
void frmCopy::fillDrives()
{
    const QSignalBlocker blocker(Drive1);
    int current = -1;
    qsizetype currentLength = -1;
    for (const Volume &volume : m_volumes.volumes()) {
        Drive1->addItem(volume.rootPath);
        const QString root =
            volume.rootPath.endsWith(QLatin1Char('/')) ? volume.rootPath : volume.rootPath + QLatin1Char('/');
        if ((m_dirPath == volume.rootPath || m_dirPath.startsWith(root)) && root.size() > currentLength) {
            current = Drive1->count() - 1;
            currentLength = root.size();
        }
    }
    Drive1->setCurrentIndex(current);
}

bool frmCopy::setDirPath(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    const QString folder = info.absoluteFilePath();
    if (folder == m_dirPath)
        return true;
    m_dirPath = folder;
    const QModelIndex index = m_folders->index(folder);
    Dir1->setCurrentIndex(index);
    Dir1->scrollTo(index);
    Dir1_Change();
    return true;
}

void frmCopy::Dir1_Change()
{
    Text1->setText(QStringLiteral("Copy to: ") + m_dirPath);
}

void frmCopy::Drive1_Change(int index)
{
    const QString root = Drive1->itemText(index);
    if (liesOnPlayer(root, m_playerRoot)) {
        m_messages.show(QStringLiteral("Can't copy to iPod Drive"), appTitle());
        return;
    }
    if (!setDirPath(root))
        m_messages.show(QStringLiteral("Drive Error..."), appTitle());
}

void frmCopy::Command2_Click()
{
    Command2->setEnabled(false);
    m_copying = true;
    const CopyReport report = copyfiles({m_grid, m_playerRoot, m_dirPath, m_messages, m_storage, m_progress});
    m_copying = false;
    Command2->setEnabled(copyButtonEnabledAfter(report.outcome));
}

void frmCopy::Command1_Click()
{
    close();
}

void frmCopy::closeEvent(QCloseEvent *event)
{
    // The grid and this window must stay until the copy has returned.
    if (m_copying || PBar->value() > 0) {
        m_messages.show(QStringLiteral("Wait!"), appTitle());
        event->ignore();
        return;
    }
    event->accept();
}
