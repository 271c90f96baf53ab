#pragma once

#include "core/device/DatabaseSource.h"

#include <QByteArray>

#include <zlib.h>

// The compressed form of the track database: the database header is stored
// plain, and when its byte at 0xA8 is 1 the rest of the data, from the header's
// length on, is one zlib stream. Gives the header and then the inflated rest, so
// the reader sees the usual data sets. Data without that mark passes unchanged.
//
// The inflated size is bounded: a stream that would inflate beyond 64 times the
// compressed data, or beyond 2 GB, fails.
class CompressedSource : public DatabaseSource
{
public:
    explicit CompressedSource(DatabaseSource &compressed);
    ~CompressedSource() override;
    CompressedSource(const CompressedSource &) = delete;
    CompressedSource &operator=(const CompressedSource &) = delete;

    qint64 read(char *to, qint64 max) override;
    qint64 sizeBound() const override;
    void pastBound() override;

private:
    void readHeader();
    qint64 inflateInto(char *to, qint64 max);
    qint64 fail(const QString &why);
    QString tooLarge() const;

    DatabaseSource &m_compressed;
    QByteArray m_header;  // the plain database header, given out first
    qint64 m_headerGiven = 0;
    bool m_started = false;
    bool m_inflating = false;
    bool m_ended = false;
    qint64 m_limit = 0;     // inflated bytes allowed
    qint64 m_inflated = 0;  // inflated bytes given out
    z_stream m_zlib{};
    QByteArray m_input;
};
