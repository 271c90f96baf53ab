#pragma once

#include "core/photos/ImageLoader.h"

#include <QImage>
#include <QThreadPool>

// Decodes pictures with QImageReader on a worker thread of its own, one file
// at a time; a new request drops those still waiting. Pictures taken upright
// on a turned camera or phone are turned as their EXIF data says. A file that
// is not a regular file, or whose size or decoded picture would take more than
// ByteLimit, is refused without being decoded.
class QtImageLoader : public ImageLoader
{
    Q_OBJECT

public:
    static constexpr int AllocationLimitMb = 256;
    static constexpr qint64 ByteLimit = qint64(AllocationLimitMb) * 1024 * 1024;

    explicit QtImageLoader(QObject *parent = nullptr);
    // Waits for the file being decoded; requests still waiting are dropped.
    ~QtImageLoader() override;

    quint64 load(const QString &path) override;

    // Decodes the file on the calling thread within the bounds above; a null
    // image when the file is refused or is not a picture.
    static QImage decode(const QString &path);

private:
    QThreadPool m_pool;
    quint64 m_lastTicket = 0;
};
