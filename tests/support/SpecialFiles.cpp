#include "SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

const char *specialFileName(SpecialFile kind)
{
    switch (kind) {
    case SpecialFile::Fifo: return "FIFO";
    case SpecialFile::DeviceLink: return "link to /dev/zero";
    case SpecialFile::Directory: return "directory";
    }
    return "?";
}

void makeSpecialFile(SpecialFile kind, const QString &path)
{
    QFile::remove(path);
    QDir(path).removeRecursively();
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray name = QFile::encodeName(path);
    bool made = false;
    switch (kind) {
    case SpecialFile::Fifo: made = ::mkfifo(name.constData(), 0600) == 0; break;
    case SpecialFile::DeviceLink: made = ::symlink("/dev/zero", name.constData()) == 0; break;
    case SpecialFile::Directory: made = QDir().mkpath(path); break;
    }
    if (!made)
        qFatal("cannot make a special file");
}

HangWatch::HangWatch(unsigned seconds)
{
    ::alarm(seconds);
}

HangWatch::~HangWatch()
{
    ::alarm(0);
}
