#include "core/common/PlayerPath.h"

#include "core/common/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <memory>

namespace {

constexpr std::size_t maxFolders = 4096;

struct DirCloser
{
    void operator()(DIR *dir) const { ::closedir(dir); }
};

// The entry of the open folder whose name equals component, exactly or else
// without regard to case; empty when there is none.
QString matchComponent(int folder, const QString &component)
{
    const QByteArray exact = QFile::encodeName(component);
    if (::faccessat(folder, exact.constData(), F_OK, 0) == 0)
        return component;
    const int listFd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return {};
    const std::unique_ptr<DIR, DirCloser> list(::fdopendir(listFd));
    if (!list) {
        ::close(listFd);
        return {};
    }
    while (const dirent *entry = ::readdir(list.get())) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name.compare(component, Qt::CaseInsensitive) == 0)
            return name;
    }
    return {};
}

}  // namespace

QString playerPath(const QString &root, const QString &location)
{
    QString path = root;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    // The folder reached so far, open while every component up to it exists.
    FileDescriptor folder(
        ::open(path.isEmpty() ? "." : QFile::encodeName(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    qsizetype pathBytes = QFile::encodeName(path).size();
    const QStringView rest(location);
    qsizetype start = 0;
    while (start <= rest.size()) {
        qsizetype end = start;
        while (end < rest.size() && rest[end] != QLatin1Char('\\') && rest[end] != QLatin1Char('/'))
            ++end;
        const QStringView part = rest.mid(start, end - start);
        start = end + 1;
        // A stored location never leaves the player: "." and ".." are dropped.
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            continue;
        // No file name holds a NUL; the system would read the name only up to it.
        if (part.contains(QChar(0)))
            return {};
        QString name = part.toString();
        if (folder.isOpen()) {
            const QString match = matchComponent(folder.get(), name);
            if (match.isEmpty())
                folder.close();  // nothing below a missing component exists
            else
                name = match;
        }
        const QByteArray encoded = QFile::encodeName(name);
        const bool atRoot = path == QLatin1String("/");
        pathBytes += encoded.size() + (atRoot ? 0 : 1);
        if (pathBytes >= PATH_MAX)
            return {};
        if (!path.isEmpty() && !atRoot)
            path += QLatin1Char('/');
        path += name;
        if (folder.isOpen())
            folder = FileDescriptor(::openat(folder.get(), encoded.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    return path;
}

QString PlayerPathResolver::resolve(const QString &location)
{
    const qsizetype slash = std::max(location.lastIndexOf(u'\\'), location.lastIndexOf(u'/'));
    if (slash < 0)
        return playerPath(m_root, location);
    const QString folderPart = location.first(slash);
    auto folder = m_folders.find(folderPart);
    if (folder == m_folders.end()) {
        if (m_folders.size() >= maxFolders)
            return playerPath(m_root, location);
        folder = m_folders.emplace(folderPart, playerPath(m_root, folderPart)).first;
    }
    // Empty: the folder's path is longer than the system allows or names no file.
    return folder->second.isEmpty() ? QString() : playerPath(folder->second, location.sliced(slash + 1));
}

bool fileexists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}
