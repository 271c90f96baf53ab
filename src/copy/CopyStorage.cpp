#include "copy/CopyStorage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr qint64 bufferSize = 1 << 20;
constexpr int createAttempts = 16;

CopyStorageResult failure(const QString &text)
{
    return {false, text};
}

// Opens a new, hidden file beside the destination under an unused name.
bool openTemporary(const QString &destination, QFile &file)
{
    const QString folder = QFileInfo(destination).absolutePath();
    for (int attempt = 0; attempt < createAttempts; ++attempt) {
        const QString name = QStringLiteral(".quillory-%1.part")
                                 .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
        file.setFileName(QDir(folder).filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (!QFileInfo::exists(file.fileName()))
            return false;  // not a name clash: the folder refuses new files
    }
    return false;
}

// Copies every byte of source into target; false on a read or write error.
bool copyBytes(QFile &source, QFile &target, QString &error)
{
    std::vector<char> buffer(static_cast<std::size_t>(bufferSize));
    for (;;) {
        const qint64 got = source.read(buffer.data(), bufferSize);
        if (got < 0) {
            error = QStringLiteral("Cannot read %1: %2").arg(source.fileName(), source.errorString());
            return false;
        }
        if (got == 0)
            return true;
        if (target.write(buffer.data(), got) != got) {
            error = QStringLiteral("Cannot write %1: %2").arg(target.fileName(), target.errorString());
            return false;
        }
    }
}

}  // namespace

CopyStorageResult FileCopyStorage::copyToStorage(const CopyJob &job)
{
    if (!QFileInfo(job.source).isFile())
        return failure(QStringLiteral("No such file: %1").arg(job.source));
    QFile source(job.source);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failure(QStringLiteral("Cannot open %1: %2").arg(job.source, source.errorString()));

    QFile temporary;
    if (!openTemporary(job.destination, temporary))
        return failure(QStringLiteral("Cannot create a file in %1: %2")
                           .arg(QFileInfo(job.destination).absolutePath(), temporary.errorString()));

    QString error;
    bool ok = copyBytes(source, temporary, error);
    temporary.close();
    if (ok && temporary.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot write %1: %2").arg(temporary.fileName(), temporary.errorString());
        ok = false;
    }
    // rename() replaces an existing destination file in one step.
    if (ok && std::rename(QFile::encodeName(temporary.fileName()).constData(),
                          QFile::encodeName(job.destination).constData()) != 0) {
        error = QStringLiteral("Cannot store %1: %2")
                    .arg(job.destination, QString::fromLocal8Bit(std::strerror(errno)));
        ok = false;
    }
    if (!ok) {
        QFile::remove(temporary.fileName());
        return failure(error);
    }
    return {true, {}};
}
