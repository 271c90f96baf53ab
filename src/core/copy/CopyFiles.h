#pragma once

#include <QString>

class CopyStorage;
class GridModel;
class MessageService;
class ProgressSink;

// Everything one copy of the tagged songs works with.
struct CopyRequest
{
    GridModel &grid;
    QString playerRoot;   // the player's root folder
    QString destination;  // the folder the copies go to
    MessageService &messages;
    CopyStorage &storage;
    // The files copied of the tagged ones, and the status line. The copy
    // yields once per grid row and, when cancelled, stops before the next file.
    ProgressSink &progress;
};

enum class CopyOutcome {
    NothingTagged,        // "Nothing to copy!"
    Cancelled,            // the user answered Cancel to the count question, or stopped the copy
    NoDestination,        // the destination folder was empty; nothing shown
    DestinationOnPlayer,  // "Can't copy to iPod.."
    Failed,               // a file could not be copied; the rest were not tried
    Done,                 // every tagged song was copied
};

struct CopyReport
{
    CopyOutcome outcome = CopyOutcome::NothingTagged;
    int copied = 0;     // files copied before the copy ended
    int renamed = 0;    // copied files that got "_" in their name (0 unless Done)
    QString errorText;  // why the copy failed
};

// Copies the audio file of every tagged song row (column-0 background is the
// tag mark) from the player into the destination folder, under a name made
// from the title and the file's extension. Each row's tag is tested when the
// row is reached, so tags changed during the copy count for the rows after.
// The current cell moves along the rows and ends on the last one.
CopyReport copyfiles(const CopyRequest &request);

// Whether the Copy button is enabled again after a copy with this outcome.
bool copyButtonEnabledAfter(CopyOutcome outcome);

// True when a file written into folder would land on the player: the folder
// is the player's root folder or lies inside it, by its resolved path or by
// file identity (device and inode of the folder and of each folder above
// it), so that a second mount of the player or a link into it counts too;
// and by the mount table, so that a bind mount of a folder inside the player
// counts as well. When the root is the top of a volume, every folder of that
// volume counts.
// A folder that does not exist yet is judged by the nearest one above it.
bool liesOnPlayer(const QString &folder, const QString &playerRoot);
