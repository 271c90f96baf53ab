#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Text files are read as bytes: valid UTF-8 is taken as UTF-8, anything else
// as Latin-1 (one byte, one character). A line ends at CR or CR LF, never at a
// LF alone, which stays in the line.
//
// Only regular files are read (a FIFO or a device is refused unopened), and
// only up to a bound: what lies beyond it is not read.
namespace TextFile {

// Bytes read for a first line: a longer line is cut there.
inline constexpr qsizetype firstLineBound = 64 * 1024;
// Bytes read for a file whose every line is used: the rest is not read.
inline constexpr qsizetype wholeFileBound = 1024 * 1024;

QString decode(const QByteArray &bytes);

// The lines of the text; a final line without a line end counts, an empty text has none.
QStringList splitLines(const QString &text);

// The first line of the file, read up to firstLineBound bytes; nullopt when
// the file cannot be read or is empty.
std::optional<QString> readFirstLine(const QString &path);

// Every line of the file's first wholeFileBound bytes; nullopt when the file cannot be read.
std::optional<QStringList> readLines(const QString &path);

}  // namespace TextFile
