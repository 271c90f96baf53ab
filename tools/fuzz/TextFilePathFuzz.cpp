// libFuzzer entry: feeds arbitrary bytes to the text-file reader, both as
// bytes and as a file, and to the player path as a stored location below a
// small player folder. Memory faults are caught by the sanitizers; the
// checks below catch lines that keep a line end, files refused or read past
// their bound, and paths that leave the player or pass the path limit.

#include "core/common/PlayerPath.h"
#include "core/common/TextFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QString playerRoot;
int memoryFile = -1;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkText(const QByteArray &bytes)
{
    const QString text = TextFile::decode(bytes);
    const QStringList lines = TextFile::splitLines(text);
    require(lines.isEmpty() == text.isEmpty());
    require(lines.size() <= text.count(QLatin1Char('\r')) + 1);
    for (const QString &line : lines)
        require(!line.contains(QLatin1Char('\r')));

    // The same bytes as a regular file, which the reader must take.
    require(::ftruncate(memoryFile, 0) == 0);
    require(::pwrite(memoryFile, bytes.constData(), static_cast<std::size_t>(bytes.size()), 0) == bytes.size());
    const QString path = QStringLiteral("/proc/self/fd/%1").arg(memoryFile);
    const std::optional<QString> first = TextFile::readFirstLine(path);
    require(first.has_value() == !bytes.isEmpty());
    if (first)
        require(!first->contains(QLatin1Char('\r')) && first->size() <= bytes.size());
    const std::optional<QStringList> all = TextFile::readLines(path);
    require(all.has_value());
    if (bytes.size() <= TextFile::wholeFileBound)
        require(all->size() == lines.size());
}

void checkPath(const QByteArray &bytes)
{
    const QString path = playerPath(playerRoot, QString::fromUtf8(bytes));
    if (path.isEmpty())
        return;
    require(QFile::encodeName(path).size() < PATH_MAX);
    require(path == playerRoot || path.startsWith(playerRoot + QLatin1Char('/')));
    require(!path.contains(QLatin1Char('\\')));
    for (const QStringView part : QStringView(path).sliced(playerRoot.size()).split(QLatin1Char('/'))) {
        require(part != QLatin1String(".") && part != QLatin1String(".."));
        require(!part.contains(QChar(0)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    char folder[] = "/tmp/quillory-fuzz-XXXXXX";
    require(::mkdtemp(folder) != nullptr);
    playerRoot = QFile::decodeName(folder);
    std::atexit([] { QDir(playerRoot).removeRecursively(); });
    require(QDir(playerRoot).mkpath(QStringLiteral("iPod_Control/Music/F00")));
    QFile song(playerRoot + QStringLiteral("/iPod_Control/Music/F00/ABCD.mp3"));
    require(song.open(QIODevice::WriteOnly));
    memoryFile = ::memfd_create("quillory-fuzz", MFD_CLOEXEC);
    require(memoryFile >= 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    checkText(bytes);
    checkPath(bytes);
    return 0;
}
