#pragma once

// Pictures for the photo viewer's tests; needs QtGui.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>

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
    QByteArray bytes("BM");
    const auto put32 = [&bytes](quint32 v) {
        for (int i = 0; i < 4; ++i)
            bytes.append(char((v >> (8 * i)) & 0xFF));
    };
    const auto put16 = [&bytes](quint16 v) {
        bytes.append(char(v & 0xFF));
        bytes.append(char(v >> 8));
    };
    put32(54 + 16);  // file size
    put32(0);        // reserved
    put32(54);       // offset of the pixels
    put32(40);       // header size
    put32(width);
    put32(height);
    put16(1);   // planes
    put16(32);  // bits a pixel
    for (int i = 0; i < 6; ++i)
        put32(0);  // no compression, sizes and colours unset
    bytes.append(16, '\x7f');
    return bytes;
}
