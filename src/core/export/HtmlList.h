#pragma once

#include <QString>

class FileDialogService;
class GridModel;
class MessageService;
class ProgressSink;
class UrlOpener;

// The file name the list is written to: the chosen name with ".html"
// appended unless it already ends in exactly ".html" (letter case counts).
QString htmlFileName(const QString &chosen);

struct HtmlWriteResult
{
    bool ok = false;
    bool cancelled = false;  // the user stopped it; nothing was written
    QString errorText;       // why the file could not be written
};

// Writes the whole grid, header row and every song row in the grid's present
// order, as an HTML table: UTF-8 with a byte-order mark, CR LF line ends, the
// cell texts as the grid holds them with &, <, > and " escaped. The file
// replaces any file of that name only once it is completely written; a name
// that is something other than a regular file is refused. Makes column 0 the
// current column; yields once per row and, when cancelled, stops and keeps
// any older file of that name.
HtmlWriteResult writeHtmlList(GridModel &grid, const QString &path, ProgressSink &progress);

// What the Create HTML command works with.
struct HtmlRequest
{
    GridModel &grid;
    FileDialogService &dialog;
    UrlOpener &opener;
    MessageService &messages;
    ProgressSink &progress;
    QString playerRoot{};  // the list is never written onto the player
};

enum class HtmlOutcome {
    Cancelled,  // no file name chosen, or stopped while writing: nothing written, nothing shown
    OnPlayer,   // the file would lie on the player: nothing written; that was shown
    Failed,     // the file could not be written; the reason was shown
    NotOpened,  // written, but no program could show it; the path was shown
    Opened,     // written and handed to the desktop's browser
};

// Why the list is not written to path: the file would lie on the player (see
// liesOnPlayer). Empty when it may be written there.
QString htmlOnPlayerRefusal(const QString &path, const QString &playerRoot);

// The Create HTML command: asks for the file name, writes the list, shows the
// status texts and progress, and opens the file with the desktop's default
// handler.
HtmlOutcome createhtmlfile(const HtmlRequest &request);
