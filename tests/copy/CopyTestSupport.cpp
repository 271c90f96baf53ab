#include "CopyTestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

PlayerFolder::PlayerFolder()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("iPod_Control/iTunes"));
}

QString PlayerFolder::addSong(const QString &folder, const QString &fileName, int size)
{
    const QString dir = m_dir.path() + QStringLiteral("/iPod_Control/Music/") + folder;
    QDir().mkpath(dir);
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
    for (int i = size / 4 * 4; i < size; ++i)
        data[i] = static_cast<char>(i);
    QFile file(dir + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != size)
        qFatal("cannot write a test song");
    return QStringLiteral("\\iPod_Control\\Music\\") + folder + QLatin1Char('\\') + fileName;
}

QByteArray PlayerFolder::bytes(const QString &location) const
{
    QString relative = location;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return readFile(m_dir.path() + relative);
}

QMap<QString, PlayerFolder::FileState> PlayerFolder::snapshot() const
{
    QMap<QString, FileState> files;
    QDirIterator it(m_dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, {QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha1),
                            QFileInfo(path).lastModified()});
    }
    return files;
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
