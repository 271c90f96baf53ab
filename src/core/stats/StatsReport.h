#pragma once

#include <QString>
#include <QStringList>

class GridModel;
class MessageService;
class PrintService;
class ProgressSink;
class SongList;

// What the statistics report reads from the main window.
struct StatsInput
{
    const SongList &songs;     // the song list (List1)
    GridModel &grid;           // the song grid; its current cell moves as rows are read
    QString totalMinutes;      // the total play time in whole minutes (Text2)
    QString infoFrameCaption;  // " " + device name + " "
};

struct StatsReport
{
    QString text;           // lines separated by CR LF, no line break at the end
    bool complete = false;  // false: the report ended early ("Error!"); text holds what was built
};

// Computes the statistics report: artist with most songs, longest and
// shortest song, number of songs, total play time in days, distinct artists
// and songs per artist. Artists are told apart by their song list line
// upper-cased; the first spelling met is kept in List2, which is never
// emptied, so a later report adds only artists not yet in it. Progress and the
// phase texts go to progress. A total play time that is not a number ends the
// report early.
StatsReport getinfo(const StatsInput &input, QStringList &List2, ProgressSink &progress);

// Minutes as days in the report's number format: rounded to two decimals,
// halves to the even digit, a blank before and no "0" before the point
// (180 -> " .12", 1500 -> " 1.04").
QString daysText(long long minutes);

// The report text with LF line ends instead of CR LF.
QString withLineFeeds(const QString &text);

// The Print button: asks "Print Stats Now?"; on Yes shows the print dialog
// and prints the report, then says "Done Printing...". Cancelling the dialog
// prints and says nothing; a printer failure is shown with its reason.
void printReport(const QString &text, MessageService &messages, PrintService &printer);
