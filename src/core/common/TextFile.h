#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Text files are read as bytes: valid UTF-8 is taken as UTF-8, anything else
// as Latin-1 (one byte, one character). A line ends at CR or CR LF, never at a
// LF alone, which stays in the line.
namespace TextFile {

QString decode(const QByteArray &bytes);

// The lines of the text; a final line without a line end counts, an empty text has none.
QStringList splitLines(const QString &text);

// The first line of the file; nullopt when the file cannot be read or is empty.
std::optional<QString> readFirstLine(const QString &path);

// Every line of the file; nullopt when the file cannot be read.
std::optional<QStringList> readLines(const QString &path);

}  // namespace TextFile
