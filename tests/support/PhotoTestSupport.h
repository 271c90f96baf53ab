#pragma once

// Pictures for the photo viewer's tests; needs QtGui.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QtEndian>

#include <gtest/gtest.h>

// Writes a picture of one colour in the format its name's extension gives.
inline void writePicture(const QString &path, int width, int height, QColor colour = Qt::red)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, QFileInfo(path).suffix().toUpper() == QLatin1String("BMP") ? "BMP" : "JPG"))
        << qPrintable(path);
}

// A BMP header that claims a picture of width x height at 32 bits a pixel,
// followed by a few bytes of pixels only.
inline QByteArray forgedBmp(quint32 width, quint32 height)
{
    QByteArray bytes(54, '\0');
    const auto put = [&bytes](qsizetype at, quint32 value) { qToLittleEndian(value, bytes.data() + at); };
    bytes.replace(0, 2, "BM");
    put(2, 54 + 16);  // file size
    put(10, 54);      // offset of the pixels
    put(14, 40);      // header size
    put(18, width);
    put(22, height);
    put(26, 1u | (32u << 16));  // one plane, 32 bits a pixel; no compression, sizes and colours unset
    bytes.append(16, '\x7f');
    return bytes;
}
