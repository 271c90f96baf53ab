#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// Decodes picture files away from the user-interface thread, so that a large
// or damaged file never stalls the window.
class ImageLoader : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts decoding the file and returns the request's ticket; loaded()
    // reports it later, on the thread of this object. A request that a newer
    // one overtakes before it has started may be dropped without a report.
    virtual quint64 load(const QString &path) = 0;

signals:
    // picture holds the decoded picture (a QImage) or, when the file could
    // not be decoded within the loader's bounds, nothing (an invalid QVariant).
    void loaded(quint64 ticket, const QVariant &picture);
};
