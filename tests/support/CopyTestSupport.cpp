#include "CopyTestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

// On a memory file system where there is one, so that copies cross file
// systems as they do from a real player (FAT, HFS+).
static QString playerFolderTemplate()
{
    const QString memory = QStringLiteral("/dev/shm");
    return (QFileInfo(memory).isWritable() ? memory : QDir::tempPath()) + QStringLiteral("/quillory-player-XXXXXX");
}

PlayerFolder::PlayerFolder()
    : m_dir(playerFolderTemplate())
{
    QDir(m_dir.path()).mkpath(QStringLiteral("iPod_Control/iTunes"));
}

QString PlayerFolder::addSong(const QString &folder, const QString &fileName, int size)
{
    const QString dir = m_dir.path() + QStringLiteral("/iPod_Control/Music/") + folder;
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
    for (int i = size / 4 * 4; i < size; ++i)
        data[i] = static_cast<char>(i);
    writeBytes(dir + QLatin1Char('/') + fileName, data);
    const QString location = QStringLiteral("\\iPod_Control\\Music\\") + folder + QLatin1Char('\\') + fileName;
    m_songs.insert(location, data);
    return location;
}

void fillGrid(GridModel &grid, const std::vector<SongRow> &rows)
{
    grid.setCols(8);
    grid.setRows(static_cast<int>(rows.size()) + 1);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const SongRow &song = rows[static_cast<std::size_t>(i)];
        grid.setText(i + 1, 0, QStringLiteral("  ") + song.title);
        grid.setText(i + 1, 7, QStringLiteral("  ") + song.location);
        grid.setBackColor(i + 1, 0, song.tagged ? GridColors::TagMark : GridColors::White);
    }
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes) != bytes.size())
        qFatal("cannot write a test file");
}

QStringList entriesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QMap<QString, QByteArray> filesBelow(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), readFile(path));
    }
    return files;
}
