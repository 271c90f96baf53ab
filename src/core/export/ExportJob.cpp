#include "core/export/ExportJob.h"

#include "core/common/PlayerPath.h"
#include "core/common/ProgressSink.h"
#include "core/common/RegularFile.h"
#include "core/copy/CopyFiles.h"
#include "core/copy/CopyStorage.h"
#include "core/copy/PartialFileCleanup.h"
#include "core/export/LibraryCsv.h"
#include "core/export/PlaylistWriter.h"
#include "core/export/TagFiller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Why a song file cannot be read, found before the first copy.
enum class SourceProblem : quint8 { None, Missing, NotRegular, CutShort };

// One song to export, as planned before the first copy. An export of a large
// library keeps one per song, so it holds its path once, in UTF-8.
struct Planned
{
    qsizetype song;
    QByteArray path;       // relative to the destination
    qint64 size;           // the song file's size; below 0 when it is missing or no file
    qint64 copySize = -1;  // the copy's size once it is there (filled tags change it)
    SourceProblem problem = SourceProblem::None;
    bool exported = false;

    QString relativePath() const { return QString::fromUtf8(path); }
};

// What an earlier export left: for each copy's path, the song's size and the copy's.
using CopyRecord = QHash<QString, std::pair<qint64, qint64>>;

// The record file holds a line per copy whose size is not its song's (its
// tags were filled), "song size TAB copy size TAB path"; the paths hold no
// control characters (see safeExportName). While an export runs, a line is
// appended for each such copy as it is made, so that a killed export leaves
// a record of its copies too; a line it cut short is skipped, or names no
// copy (the path comes last). Its end writes the record anew, a line per copy.
CopyRecord readRecord(const QString &path)
{
    CopyRecord record;
    const std::optional<QByteArray> bytes = readRegularFile(path, qsizetype{256} << 20);
    if (!bytes)
        return record;
    for (const QByteArray &line : bytes->split('\n')) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() != 3)
            continue;
        bool songOk = false;
        bool copyOk = false;
        const qint64 songSize = parts[0].toLongLong(&songOk);
        const qint64 copySize = parts[1].toLongLong(&copyOk);
        if (songOk && copyOk)
            record.insert(QString::fromUtf8(parts[2]), {songSize, copySize});
    }
    return record;
}

QByteArray recordLine(qint64 songSize, qint64 copySize, const QByteArray &path)
{
    return QByteArray::number(songSize) + '\t' + QByteArray::number(copySize) + '\t' + path + '\n';
}

// The regular file at the path, made when missing, open for appending; not
// open when something else (a link, a FIFO, a folder) has the name.
FileDescriptor openForAppending(const QString &path)
{
    FileDescriptor fd(::open(QFile::encodeName(path).constData(),
                             O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
    struct stat info
    {};
    if (fd.isOpen() && (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)))
        fd.close();
    return fd;
}

std::optional<struct stat> statOf(const QString &path)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return info;
}

class Export
{
public:
    explicit Export(const ExportRequest &request)
        : m_request(request)
        , m_options(request.options)
        , m_root(QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(m_options.destination)))
        , m_paths(fileNameLimit(m_root))
        , m_sources(m_options.playerRoot)
    {}

    ExportReport run();

private:
    void plan();
    // False when the destination failed.
    bool exportSong(Planned &planned);
    bool copySong(Planned &planned, const ExportSong &song, const QString &source, bool replace);
    bool writePlaylists();
    bool writeLibraryFile();
    void writeRecord();
    void appendToRecord(const Planned &planned);
    bool writeFile(const QString &path, const QByteArray &bytes);
    bool makeFolder(const QString &path);
    void unreadable(Planned &planned, const QString &why);
    QString absolute(const QString &relative) const { return m_root + u'/' + relative; }
    QString absolute(const Planned &planned) const { return absolute(planned.relativePath()); }
    QString source(const ExportSong &song) { return m_sources.resolve(song.location); }
    // The song's free path below the destination, claimed for it.
    QByteArray claimPath(const ExportSong &song);
    bool destinationFailed(const QString &why)
    {
        m_report.outcome = ExportOutcome::DestinationFailed;
        m_report.errorText = why;
        return false;
    }

    const ExportRequest &m_request;
    const ExportOptions &m_options;
    QString m_root;
    ExportPaths m_paths;
    std::vector<Planned> m_planned;
    CopyRecord m_record;
    FileDescriptor m_recordLog;  // the record, open for appending while the songs are copied
    QSet<QString> m_folders;     // made or found in this run
    PlayerPathResolver m_sources;
    ExportReport m_report;
};

QByteArray Export::claimPath(const ExportSong &song)
{
    QByteArray path = m_paths.claim(m_options.layout.path(song)).toUtf8();
    path.squeeze();  // the conversion leaves room for three bytes a character
    return path;
}

void Export::plan()
{
    const ExportLibrary &library = m_request.library;
    ExportTally &tally = m_report.tally;
    for (qsizetype i = 0; i < library.songCount; ++i) {
        if (!m_options.selected.empty()
            && (static_cast<std::size_t>(i) >= m_options.selected.size()
                || !m_options.selected[static_cast<std::size_t>(i)]))
            continue;
        const ExportSong song = library.song(i);
        Planned planned{i, claimPath(song), -1};
        const std::optional<struct stat> info = statOf(source(song));
        if (!info)
            planned.problem = SourceProblem::Missing;
        else if (!S_ISREG(info->st_mode))
            planned.problem = SourceProblem::NotRegular;
        else {
            planned.size = info->st_size;
            if (song.size >= 0 && info->st_size < song.size)
                planned.problem = SourceProblem::CutShort;
            else
                tally.bytes += planned.size;
        }
        m_planned.push_back(std::move(planned));
    }
    tally.songs = static_cast<qsizetype>(m_planned.size());
}

void Export::unreadable(Planned &planned, const QString &why)
{
    ++m_report.tally.unreadable;
    m_report.unreadable << m_request.library.song(planned.song).location + QStringLiteral(": ") + why;
}

bool Export::makeFolder(const QString &path)
{
    if (m_options.dryRun || m_folders.contains(path))
        return true;
    // A folder made now is empty; one that was there may hold the partial
    // files of an export that was killed, which go before anything is written.
    if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0) {
        const std::optional<struct stat> there = errno == EEXIST ? statOf(path) : std::nullopt;
        if (there && S_ISDIR(there->st_mode))
            removeStalePartialFiles(path);
        else if (!QDir().mkpath(path))
            return destinationFailed(QStringLiteral("Cannot make the folder %1").arg(path));
    }
    m_folders.insert(path);
    return true;
}

bool Export::copySong(Planned &planned, const ExportSong &song, const QString &sourcePath, bool replace)
{
    const QString target = absolute(planned);
    if (m_options.dryRun) {
        if (m_request.wouldWrite)
            m_request.wouldWrite(target);
        ++m_report.tally.copied;
        planned.exported = true;
        return true;
    }
    if (!makeFolder(QFileInfo(target).absolutePath()))
        return false;
    CopyJob job{sourcePath, target, replace, song.size >= 0 ? song.size : planned.size};
    if (m_request.tags) {
        const QString relative = planned.relativePath();
        const QString extension = relative.sliced(relative.size() - m_options.layout.path(song).file.extensionSize);
        job.finish = [this, extension, &song](int fd) { m_request.tags->fillTags(fd, extension, song); };
    }
    const CopyStorageResult stored = m_request.storage.copyToStorage(job);
    switch (stored.failure) {
    case CopyFailure::None:
        ++m_report.tally.copied;
        planned.exported = true;
        // Only filled tags make the copy's size differ from the song's.
        planned.copySize = m_request.tags ? QFileInfo(target).size() : planned.size;
        appendToRecord(planned);
        return true;
    case CopyFailure::Source: unreadable(planned, stored.errorText); return true;
    case CopyFailure::Exists:  // a file came since it was looked at: the next name
        planned.path = claimPath(song);
        return exportSong(planned);
    case CopyFailure::Destination: break;
    }
    return destinationFailed(stored.errorText);
}

bool Export::exportSong(Planned &planned)
{
    switch (planned.problem) {
    case SourceProblem::None: break;
    case SourceProblem::Missing: unreadable(planned, QStringLiteral("missing")); return true;
    case SourceProblem::NotRegular: unreadable(planned, QStringLiteral("not a regular file")); return true;
    case SourceProblem::CutShort:
        unreadable(planned,
                   QStringLiteral("cut short (%1 of %2 bytes)")
                       .arg(planned.size)
                       .arg(m_request.library.song(planned.song).size));
        return true;
    }
    const ExportSong song = m_request.library.song(planned.song);
    const QString sourcePath = source(song);
    for (;;) {
        const std::optional<struct stat> there = statOf(absolute(planned));
        if (!there)
            return copySong(planned, song, sourcePath, false);
        // A copy of this export: the song's size, or the size recorded for a copy with filled tags.
        const auto recorded = m_record.constFind(planned.relativePath());
        const bool ours = there->st_size == planned.size
            || (recorded != m_record.cend() && *recorded == std::pair{planned.size, qint64{there->st_size}});
        if (S_ISREG(there->st_mode) && ours) {
            const auto alreadyThere = [&] {
                ++m_report.tally.alreadyThere;
                planned.exported = true;
                planned.copySize = there->st_size;
                return true;
            };
            if (!m_options.verify)
                return alreadyThere();
            switch (m_request.storage.compareWithStorage({sourcePath, absolute(planned)})) {
            case CopyComparison::Same: return alreadyThere();
            case CopyComparison::SourceUnreadable: unreadable(planned, QStringLiteral("cannot be read")); return true;
            case CopyComparison::Different: return copySong(planned, song, sourcePath, true);
            }
        }
        // Another file has the name; it stays, and the song takes the next one.
        planned.path = claimPath(song);
    }
}

bool Export::writeFile(const QString &path, const QByteArray &bytes)
{
    if (m_options.dryRun) {
        if (m_request.wouldWrite)
            m_request.wouldWrite(path);
        return true;
    }
    const CopyStorageResult written = writeWholeFile(path, bytes);
    return written.ok || destinationFailed(written.errorText);
}

bool Export::writePlaylists()
{
    const ExportLibrary &library = m_request.library;
    if (library.playlists.empty())
        return true;
    std::vector<const Planned *> bySong(static_cast<std::size_t>(library.songCount), nullptr);
    for (const Planned &planned : m_planned) {
        if (planned.exported)
            bySong[static_cast<std::size_t>(planned.song)] = &planned;
    }
    const QString folder = absolute(playlistFolderName());
    if (!makeFolder(folder))
        return false;
    DestinationNames names(fileNameLimit(m_options.dryRun ? m_root : folder));
    const QString extension = QStringLiteral(".m3u8");
    for (const ExportPlaylist &playlist : library.playlists) {
        PlaylistWriter writer;
        for (const qsizetype index : playlist.songs) {
            if (index < 0 || index >= library.songCount || !bySong[static_cast<std::size_t>(index)])
                continue;
            const ExportSong song = library.song(index);
            writer.add(song.lengthMs, song.artist, song.title,
                       QStringLiteral("../") + bySong[static_cast<std::size_t>(index)]->relativePath());
        }
        const QString name = names.claim({safeExportName(playlist.name) + extension, extension.size(), false});
        if (!writeFile(folder + u'/' + name, writer.bytes()))
            return false;
    }
    return true;
}

bool Export::writeLibraryFile()
{
    const ExportLibrary &library = m_request.library;
    QByteArray text =
        LibraryCsv::bom() + LibraryCsv::record(library.fieldNames + QStringList{QStringLiteral("exported")});
    for (const Planned &planned : m_planned) {
        if (planned.exported)
            text += LibraryCsv::record(library.fieldValues(planned.song) << planned.relativePath());
    }
    return writeFile(absolute(libraryFileName()), text);
}

void Export::appendToRecord(const Planned &planned)
{
    if (!m_recordLog.isOpen() || planned.copySize == planned.size)
        return;
    const QByteArray line = recordLine(planned.size, planned.copySize, planned.path);
    // One write, so that a line is cut short only when the disk is full or
    // the system stops; a failed one costs the next run only this copy's recognition.
    if (::write(m_recordLog.get(), line.constData(), static_cast<std::size_t>(line.size())) != line.size())
        m_recordLog.close();
}

void Export::writeRecord()
{
    if (m_options.dryRun)
        return;
    m_recordLog.close();
    QByteArray text;
    for (const Planned &planned : m_planned) {
        if (planned.copySize >= 0 && planned.copySize != planned.size)
            text += recordLine(planned.size, planned.copySize, planned.path);
    }
    // Without it the next run only takes copies of the songs' own sizes as there.
    writeWholeFile(absolute(exportRecordName()), text);
}

ExportReport Export::run()
{
    if (!m_options.playerRoot.trimmed().isEmpty() && liesOnPlayer(m_options.destination, m_options.playerRoot)) {
        m_report.outcome = ExportOutcome::DestinationOnPlayer;
        return m_report;
    }
    if (!makeFolder(m_root))
        return m_report;
    m_record = readRecord(absolute(exportRecordName()));
    if (!m_options.dryRun)
        m_recordLog = openForAppending(absolute(exportRecordName()));
    plan();
    ProgressSink &progress = m_request.progress;
    ExportTally &tally = m_report.tally;
    progress.setProgressRange(0, tally.bytes);
    progress.setProgressValue(0);
    for (Planned &planned : m_planned) {
        progress.yield();
        if (progress.cancelled()) {
            m_report.outcome = ExportOutcome::Cancelled;
            writeRecord();
            return m_report;
        }
        progress.setStatusText(
            QStringLiteral("Exporting %1 of %2: %3").arg(tally.done + 1).arg(tally.songs).arg(planned.relativePath()));
        if (!exportSong(planned)) {
            writeRecord();
            return m_report;
        }
        ++tally.done;
        if (planned.problem == SourceProblem::None)
            tally.bytesDone += planned.size;
        progress.setProgressValue(tally.bytesDone);
        if (m_request.onSong)
            m_request.onSong(tally);
    }
    writeRecord();
    if (!writePlaylists() || !writeLibraryFile())
        return m_report;
    m_report.outcome = tally.unreadable > 0 ? ExportOutcome::SomeUnreadable : ExportOutcome::Done;
    progress.setStatusText(QStringLiteral("Export done"));
    return m_report;
}

}  // namespace

QString playlistFolderName()
{
    return QStringLiteral("Playlists");
}

QString libraryFileName()
{
    return QStringLiteral("Library.csv");
}

QString exportRecordName()
{
    return QStringLiteral(".quillory-export");
}

ExportReport exportLibrary(const ExportRequest &request)
{
    return Export(request).run();
}
