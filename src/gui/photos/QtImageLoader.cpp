#include "gui/photos/QtImageLoader.h"

#include <QFileInfo>
#include <QImageReader>

QtImageLoader::QtImageLoader(QObject *parent)
    : ImageLoader(parent)
{
    m_pool.setMaxThreadCount(1);
    // The reader's own bound covers the decoders that report no size up front.
    QImageReader::setAllocationLimit(AllocationLimitMb);
}

QtImageLoader::~QtImageLoader()
{
    m_pool.clear();
    m_pool.waitForDone();
}

quint64 QtImageLoader::load(const QString &path)
{
    const quint64 ticket = ++m_lastTicket;
    m_pool.clear();
    m_pool.start([this, ticket, path] {
        const QImage picture = decode(path);
        // Delivered on this object's thread; dropped if the loader is gone by then.
        QMetaObject::invokeMethod(
            this, [this, ticket, picture] { emit loaded(ticket, picture.isNull() ? QVariant() : QVariant(picture)); },
            Qt::QueuedConnection);
    });
    return ticket;
}

QImage QtImageLoader::decode(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > ByteLimit)
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    constexpr qint64 bytesPerPixel = 4;
    if (size.isValid() && qint64(size.width()) * size.height() * bytesPerPixel > ByteLimit)
        return {};
    return reader.read();
}
