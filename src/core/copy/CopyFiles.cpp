#include "core/copy/CopyFiles.h"

#include "core/common/AppInfo.h"
#include "core/common/MessageService.h"
#include "core/common/PlayerPath.h"
#include "core/common/ProgressSink.h"
#include "core/common/RegularFile.h"
#include "core/copy/CopyStorage.h"
#include "core/copy/PartialFileCleanup.h"
#include "core/copy/SafeFileName.h"
#include "core/device/SystemVolumeService.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"
#include "core/grid/Tagging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>

#include <climits>
#include <optional>

namespace {

MessageAnswer tell(const CopyRequest &request, const QString &text, MessageButtons buttons = MessageButtons::Ok)
{
    return request.messages.show(text, appTitle(), buttons, MessageIcon::None);
}

QString absoluteClean(const QString &folder)
{
    return QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(folder));
}

// The folder as an absolute path with "." and ".." resolved, and with
// symbolic links resolved as far as the folder exists.
QString resolvedFolder(const QString &folder)
{
    const QFileInfo info(absoluteClean(folder));
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

struct FileId
{
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileId &) const = default;
};

// The identity of the open folder, or of the entry name inside it.
std::optional<FileId> fileId(int fd, const char *name = "")
{
    struct stat info
    {};
    if (::fstatat(fd, name, &info, *name ? 0 : AT_EMPTY_PATH) != 0)
        return std::nullopt;
    return FileId{info.st_dev, info.st_ino};
}

FileDescriptor openFolder(const QString &path)
{
    return FileDescriptor(::open(QFile::encodeName(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// The folder, or else the nearest folder above it that exists: where a file
// written below the folder would land. The path is taken as the system
// takes it, ".." after a link included.
FileDescriptor openNearestFolder(const QString &folder)
{
    QString path = QDir(QDir::currentPath()).absoluteFilePath(folder);
    for (;;) {
        FileDescriptor fd = openFolder(path);
        if (fd.isOpen())
            return fd;
        while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash < 0 || path == QLatin1String("/"))
            return fd;
        path.truncate(std::max<qsizetype>(slash, 1));
    }
}

// By file identity: the folder, or a folder above it as the system walks
// up, is the player root; or the root is the top of its own file system and
// the folder lies on that file system. So a second mount of the player, or a
// link into it, is the player too.
bool sameFilesAsPlayer(const QString &folder, const QString &playerRoot)
{
    const FileDescriptor root = openFolder(playerRoot);
    const std::optional<FileId> rootId = root.isOpen() ? fileId(root.get()) : std::nullopt;
    if (!rootId)
        return false;
    const std::optional<FileId> aboveRoot = fileId(root.get(), "..");
    const bool rootIsVolume = !aboveRoot || aboveRoot->device != rootId->device || aboveRoot == rootId;

    FileDescriptor current = openNearestFolder(folder);
    // Each step goes one folder up; no path is deeper than this.
    for (int depth = 0; current.isOpen() && depth < PATH_MAX; ++depth) {
        const std::optional<FileId> id = fileId(current.get());
        if (!id)
            return false;
        if (*id == *rootId || (rootIsVolume && id->device == rootId->device))
            return true;
        FileDescriptor parent(::openat(current.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (parent.isOpen() && fileId(parent.get()) == id)
            return false;  // the top folder of the system
        current = std::move(parent);
    }
    return false;
}

// The folder, or else the nearest folder above it that exists, with links resolved.
QString nearestExistingFolder(const QString &folder)
{
    for (QString path = absoluteClean(folder);; path = QFileInfo(path).path()) {
        const QFileInfo info(path);
        if (info.isDir())
            return info.canonicalFilePath();
        if (info.isRoot())
            return {};
    }
}

// Where a resolved folder lies in its file system: the root of the mount that
// holds it, then the rest of its path below that mount's point. Through a bind
// mount of a folder this is that folder's own place.
QString placeInFileSystem(const QString &resolved, const std::vector<MountEntry> &mounts)
{
    const MountEntry *holder = nullptr;
    for (const MountEntry &mount : mounts) {
        const QString &point = mount.mountPoint;
        const bool holds =
            point == QLatin1String("/") || resolved == point || resolved.startsWith(point + QLatin1Char('/'));
        // A later mount on the same point hides the earlier one.
        if (holds && (!holder || point.size() >= holder->mountPoint.size()))
            holder = &mount;
    }
    if (!holder)
        return resolved;
    const QString below = holder->mountPoint == QLatin1String("/") ? resolved : resolved.mid(holder->mountPoint.size());
    return QDir::cleanPath(holder->root + QLatin1Char('/') + below);
}

// By the mount table: the folder is on the player's file system, at the
// player root's place in it or below, however it is mounted here.
bool mountedFromPlayer(const QString &folder, const QString &playerRoot)
{
    const QString near = nearestExistingFolder(folder);
    const QString root = QFileInfo(playerRoot).canonicalFilePath();
    struct stat nearInfo
    {};
    struct stat rootInfo
    {};
    if (near.isEmpty() || root.isEmpty() || ::stat(QFile::encodeName(near).constData(), &nearInfo) != 0
        || ::stat(QFile::encodeName(root).constData(), &rootInfo) != 0 || nearInfo.st_dev != rootInfo.st_dev)
        return false;
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return true;  // the same file system, and nothing tells where: taken as the player
    const std::vector<MountEntry> mounts = parseMountInfo(table.readAll());
    const QString rootPlace = placeInFileSystem(root, mounts);
    const QString place = placeInFileSystem(near, mounts);
    return rootPlace == QLatin1String("/") || place == rootPlace || place.startsWith(rootPlace + QLatin1Char('/'));
}

// True when anything, even a dangling link, has the path.
bool pathTaken(const QString &path)
{
    struct stat info
    {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// Copies the song into the folder under the next name of the copy that holds
// no file yet. A file that was there is never replaced: one with the song's
// bytes already is the copy, any other keeps its name and the song takes the
// next one.
CopyStorageResult copyBesideExisting(CopyStorage &storage, const QString &source, const QString &folder,
                                     DestinationNames &names, const SafeName &safe)
{
    for (;;) {
        const CopyJob job{source, folder + names.claim(safe), false};
        if (pathTaken(job.destination)) {
            if (compareFiles(job.source, job.destination) == CopyComparison::Same)
                return {true, {}};
            continue;
        }
        const CopyStorageResult stored = storage.copyToStorage(job);
        if (stored.failure != CopyFailure::Exists)
            return stored;
    }
}

}  // namespace

bool liesOnPlayer(const QString &folder, const QString &playerRoot)
{
    const QString path = resolvedFolder(folder);
    const QString root = resolvedFolder(playerRoot);
    if (path == root || path.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/')))
        return true;
    return sameFilesAsPlayer(folder, playerRoot) || mountedFromPlayer(folder, playerRoot);
}

bool copyButtonEnabledAfter(CopyOutcome outcome)
{
    switch (outcome) {
    case CopyOutcome::Cancelled:
    case CopyOutcome::Failed:
    case CopyOutcome::Done: return true;
    case CopyOutcome::NothingTagged:
    case CopyOutcome::NoDestination:
    case CopyOutcome::DestinationOnPlayer: break;
    }
    return false;
}

CopyReport copyfiles(const CopyRequest &request)
{
    GridModel &grid = request.grid;
    ProgressSink &progress = request.progress;
    CopyReport report;

    int tagged = 0;
    for (int r = 1; r < grid.rows(); ++r) {
        if (isTagged(grid, r))
            ++tagged;
    }
    grid.setCurrentCell(grid.rows() - 1, GridColumn::Title);
    if (tagged == 0) {
        tell(request, QStringLiteral("Nothing to copy!"));
        report.outcome = CopyOutcome::NothingTagged;
        return report;
    }

    if (tell(request, signBlank(tagged) + QStringLiteral(" Files to Copy!"), MessageButtons::OkCancel)
        != MessageAnswer::Ok) {
        report.outcome = CopyOutcome::Cancelled;
        return report;
    }

    int progressMax = tagged;
    progress.setProgressValue(0);
    progress.setProgressRange(0, progressMax);

    const QString playerRoot = request.playerRoot.trimmed();
    const QString destination = request.destination.trimmed();
    if (destination.isEmpty()) {
        report.outcome = CopyOutcome::NoDestination;
        return report;
    }
    if (liesOnPlayer(destination, playerRoot)) {
        tell(request, QStringLiteral("Can't copy to iPod.."));
        report.outcome = CopyOutcome::DestinationOnPlayer;
        return report;
    }
    const QString folder = destinationFolder(destination);
    progress.setStatusText(QStringLiteral("Copying files...Please wait till copying is finished..."));

    removeStalePartialFiles(folder);
    DestinationNames names(fileNameLimit(folder));
    PlayerPathResolver songFiles(playerRoot);
    for (int r = 1; r < grid.rows(); ++r) {
        progress.yield();
        if (progress.cancelled()) {
            progress.setProgressValue(0);
            report.renamed = 0;
            report.outcome = CopyOutcome::Cancelled;
            return report;
        }
        grid.setCurrentCell(r, GridColumn::Title);
        if (!isTagged(grid, r))
            continue;
        const QString titleCell = grid.text(r, GridColumn::Title);
        grid.setCol(GridColumn::FileName);
        const QString fileCell = grid.text(r, GridColumn::FileName);

        const SafeName safe = safeFileName(titleCell, fileCell);
        if (safe.renamed)
            ++report.renamed;
        const CopyStorageResult stored =
            copyBesideExisting(request.storage, songFiles.resolve(fileCell.trimmed()), folder, names, safe);
        if (!stored.ok) {
            report.renamed = 0;
            report.errorText = stored.errorText;
            // The cause goes beneath the message.
            QString text = QStringLiteral("Error Copying File. Check source file validity!");
            if (!stored.errorText.isEmpty())
                text += QStringLiteral("\r\n") + stored.errorText;
            tell(request, text);
            progress.setProgressValue(0);
            report.outcome = CopyOutcome::Failed;
            return report;
        }
        ++report.copied;
        // Rows tagged during the copy can take the count past the first total.
        if (report.copied > progressMax) {
            progressMax = report.copied;
            progress.setProgressRange(0, progressMax);
        }
        progress.setProgressValue(report.copied);
    }

    progress.setProgressValue(0);
    progress.setStatusText(QStringLiteral("Copying Done...! "));
    if (report.renamed > 0)
        tell(request, renamedFilesMessage(report.renamed));
    report.outcome = CopyOutcome::Done;
    return report;
}
