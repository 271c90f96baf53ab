#pragma once

#include "core/export/ExportLayout.h"
#include "core/export/ExportSong.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CopyStorage;
class ProgressSink;
class TagFiller;

struct ExportOptions
{
    QString destination;  // the folder the library goes to; made when missing
    QString playerRoot;   // the player's root folder, which is never written to
    ExportLayout layout{};
    std::vector<bool> selected{};  // the songs to export by index; empty: every song
    bool verify = false;           // compare copies already there byte for byte instead of by size
    bool dryRun = false;           // write nothing; tell each path that would be written
};

// Counts while the export runs and at its end.
struct ExportTally
{
    qsizetype songs = 0;         // songs to export
    qsizetype done = 0;          // songs dealt with so far, whatever became of them
    qsizetype copied = 0;        // copied in this run
    qsizetype alreadyThere = 0;  // a complete copy was there before
    qsizetype unreadable = 0;    // could not be read; skipped
    qint64 bytes = 0;            // bytes of the songs to export
    qint64 bytesDone = 0;        // bytes of the songs dealt with so far
};

enum class ExportOutcome {
    Done,                 // every song is in the destination
    SomeUnreadable,       // every song that could be read is there; unreadable names the others
    DestinationFailed,    // the destination could not be written; the export stopped there
    DestinationOnPlayer,  // refused: the destination is on the player
    Cancelled,            // stopped after a song at the caller's request
};

struct ExportReport
{
    ExportOutcome outcome = ExportOutcome::Done;
    ExportTally tally;
    QStringList unreadable;  // "location: why" for each song that could not be read
    QString errorText;       // why the destination failed
};

// Everything one export works with.
struct ExportRequest
{
    const ExportLibrary &library;
    ExportOptions options;
    CopyStorage &storage;       // every song file is opened through it, and only to copy or compare it
    TagFiller *tags = nullptr;  // fills the tags into each new copy; none: copies stay as they are
    // Range and value in bytes, the status text names the song; asked before
    // every song whether to stop (the export then ends with the songs done so far).
    ProgressSink &progress;
    std::function<void(const ExportTally &)> onSong = {};  // after every song
    std::function<void(const QString &)> wouldWrite = {};  // dry run: each path that would be written
};

// The folder of the playlists, the library file and the hidden record of the
// copies (each copy's size and its song's, which tells a copy with filled
// tags from another file on the next run) below the destination.
QString playlistFolderName();
QString libraryFileName();
QString exportRecordName();

// Exports the library into the destination: each selected song to its path
// by the layout (see ExportLayout), then every playlist to
// Playlists/<name>.m3u8 with paths relative to it, then Library.csv with a
// row per exported song. A copy already there, complete (its size is the
// song's or the one recorded for it, or with verify its bytes), is kept and
// the song not read; a different file there is never replaced, the song
// takes the next free name.
// A song that is missing, not a regular file, unreadable or cut short is
// skipped and named; a destination that cannot be written ends the export.
// Copies are whole or absent, also when cancelled.
ExportReport exportLibrary(const ExportRequest &request);
