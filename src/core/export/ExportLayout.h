#pragma once

#include "core/copy/SafeFileName.h"
#include "core/export/ExportNames.h"
#include "core/export/ExportSong.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <unordered_map>
#include <vector>

// Where an exported song goes below the destination: folders and a file
// name made from the song's fields, each name safe on every file system
// (see safeExportName), the file name followed by the song file's extension
// in lower case.
//
// The default layout is "Album Artist/Album/NN Title": the album artist, else
// "Various Artists" for a compilation, else the artist, else "Unknown
// Artist"; the album, else "Unknown Album"; NN the two-digit track number
// and a blank (nothing for track 0), preceded by the disc number and "-"
// when the album has more than one disc; the title, else the name of the
// song's own file.
//
// A template names the fields in braces, {title} {artist} {albumartist}
// {album} {genre} {composer} {year} {track} {disc}, with "/" between
// folders; an empty field takes the default's fallback (title, artist,
// album artist, album) or nothing. A folder whose name comes out empty is
// left out.
class ExportLayout
{
public:
    struct Path
    {
        QStringList folders;
        SafeName file;
    };

    ExportLayout();  // the default layout
    // nullopt with the reason when the template names an unknown field, has
    // an unclosed brace or has no field for the file name.
    static std::optional<ExportLayout> fromTemplate(const QString &text, QString *error = nullptr);

    Path path(const ExportSong &song) const;

private:
    enum class Field { Text, Title, Artist, AlbumArtist, Album, Genre, Composer, Year, Track, Disc, Number };
    struct Piece
    {
        Field field;
        QString text;  // for Field::Text
    };
    using Part = std::vector<Piece>;

    explicit ExportLayout(std::vector<Part> parts)
        : m_parts(std::move(parts))
    {}
    static QString value(const Piece &piece, const ExportSong &song);

    std::vector<Part> m_parts;  // the folders, then the file name
};

// The paths handed out during one export, relative to the destination with
// "/" between names. Names are compared without regard to case, as the
// destination may not tell case apart: a folder takes the spelling it was
// first given, and a file name already taken in its folder (by a file or a
// folder) gets " (2)", " (3)", ... before its extension. Claiming the same
// path again gives the next number.
class ExportPaths
{
public:
    explicit ExportPaths(qsizetype maxBytes = exportNameBytes)
        : m_maxBytes(maxBytes)
    {}
    QString claim(const ExportLayout::Path &path);

private:
    DestinationNames &namesIn(const QString &foldedFolder);

    qsizetype m_maxBytes;
    QHash<QString, QString> m_folders;                      // case-folded folder path -> the path as first spelt
    std::unordered_map<QString, DestinationNames> m_names;  // by case-folded folder path
};
