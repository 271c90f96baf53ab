#pragma once

#include <QString>
#include <QStringView>

// Folder and file names that every file system a library may be exported to
// takes (ext4, FAT32, exFAT, NTFS, HFS+).

// The longest name, in bytes of UTF-8, that all of them take.
inline constexpr qsizetype exportNameBytes = 255;

// True for the names Windows keeps for devices: CON, PRN, AUX, NUL, COM1 to
// COM9 and LPT1 to LPT9, in any letter case, alone or before an extension.
bool isReservedName(QStringView name);

// The text as a name: " * / : < > ? \ | and control characters become "_",
// blanks go from both ends and dots from the end, a leading dot becomes "_",
// a reserved name gets "_" after its first part ("CON" -> "CON_"), and what
// remains is cut to maxBytes on a character boundary. An empty result is "_".
QString safeExportName(QStringView text, qsizetype maxBytes = exportNameBytes);
