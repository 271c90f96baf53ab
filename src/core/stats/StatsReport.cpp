#include "core/stats/StatsReport.h"

#include "core/common/AppInfo.h"
#include "core/common/Blanks.h"
#include "core/common/MessageService.h"
#include "core/common/PrintService.h"
#include "core/common/ProgressSink.h"
#include "core/device/SongList.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"

#include <QHash>

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

const QString crlf = QStringLiteral("\r\n");
constexpr QStringView artistLabel = u"ARTIST:  ";

// Length value of a grid row: the Length cell without its colons, read as a
// number ("  4:05" -> 405), which orders like the length itself.
long long lengthValue(const GridModel &grid, int row)
{
    const QString cell = grid.text(row, GridColumn::Length);
    qsizetype i = 0;
    while (i < cell.size() && (cell[i] == u' ' || cell[i] == u':'))
        ++i;
    long long value = 0;
    for (; i < cell.size() && value < 1'000'000'000'000LL; ++i) {
        const char16_t c = cell[i].unicode();
        if (c >= u'0' && c <= u'9')
            value = value * 10 + (c - u'0');
        else if (c != u':')
            break;
    }
    return value;
}

// Artists are told apart by their song list line upper-cased; every such line
// begins with the same label, so the upper-cased name alone is the key.
QString artistKey(QStringView name)
{
    return name.toString().toUpper();
}

// The artist's name from its song list line: the line without its label.
QString artistName(const QString &line)
{
    return line.startsWith(artistLabel) ? line.mid(artistLabel.size()) : line;
}

// A missing song, name or count shows as a dash.
const QString dash = QStringLiteral("-");

struct SongPick
{
    int row = 0;  // 0: no row taken
    QString title, artist, album, length;
};

void keepRow(SongPick &pick, const GridModel &grid, int row)
{
    pick.row = row;
    pick.title = grid.text(row, GridColumn::Title);
    pick.artist = grid.text(row, GridColumn::Artist);
    pick.album = grid.text(row, GridColumn::Album);
}

// "    Title by Artist,  4:05 long on the Album album." (the length cell keeps its blanks)
QString songLine(const SongPick &pick)
{
    if (pick.row == 0)
        return QStringLiteral("    ") + dash;
    QString line = QStringLiteral("    ");
    line += trimBlanks(pick.title);
    line += u" by ";
    line += trimBlanks(pick.artist);
    line += u',';
    line += pick.length;
    line += u" long on the ";
    line += trimBlanks(pick.album);
    line += u" album.";
    return line;
}

}  // namespace

QString daysText(long long minutes)
{
    // Hundredths of a day from the exact quotient minutes / 1440; a remainder
    // of exactly one half goes to the even neighbour.
    const long long scaled = minutes * 5;  // minutes * 100 / 1440 = minutes * 5 / 72
    long long hundredths = scaled / 72;
    const long long twiceRest = 2 * (scaled % 72);
    if (twiceRest > 72 || (twiceRest == 72 && hundredths % 2 != 0))
        ++hundredths;
    QString text(QLatin1Char(' '));
    if (hundredths >= 100 || hundredths == 0)
        text += QString::number(hundredths / 100);
    if (const long long fraction = hundredths % 100; fraction != 0) {
        text += QLatin1Char('.') + QString::number(fraction / 10);
        if (fraction % 10 != 0)
            text += QString::number(fraction % 10);
    }
    return text;
}

QString withLineFeeds(const QString &text)
{
    return QString(text).replace(crlf, QStringLiteral("\n"));
}

StatsReport getinfo(const StatsInput &input, QStringList &List2, ProgressSink &progress)
{
    const SongList &songs = input.songs;
    GridModel &grid = input.grid;
    StatsReport report;

    progress.setProgressRange(0, songs.count());
    progress.setStatusText(QStringLiteral("Getting Unique Artist.."));

    QString body = QStringLiteral("Total Songs: ") + signBlank(grid.rows() - 1) + crlf;
    bool isNumber = false;
    const long long minutes = input.totalMinutes.trimmed().toLongLong(&isNumber);
    if (!isNumber || minutes < 0) {
        report.text = body;
        return report;
    }
    body += QStringLiteral("Total Play Time: ") + daysText(minutes) + QStringLiteral(" Days") + crlf;

    // Unique artists in order of first appearance, told apart by the
    // upper-cased line; songs counted per artist in the same pass.
    QHash<QString, qsizetype> artistIndex;
    artistIndex.reserve(List2.size());
    for (qsizetype j = 0; j < List2.size(); ++j)
        artistIndex.insert(artistKey(artistName(List2[j])), j);
    std::vector<long long> songCount(static_cast<std::size_t>(List2.size()), 0);
    // Each spelling is upper-cased once: a spelling met before finds its
    // artist at once. The views point into the song list, which outlives them.
    std::unordered_map<std::u16string_view, qsizetype> spellingIndex;
    for (qsizetype i = 0; i < songs.count(); ++i) {
        // Only a line that begins with the label is an artist line.
        if (const SongList::Line &line = songs.at(i); line.field == SongField::Artist) {
            const std::u16string_view value(line.value.utf16(), static_cast<std::size_t>(line.value.size()));
            auto spelling = spellingIndex.find(value);
            if (spelling == spellingIndex.end()) {
                const QString key = artistKey(line.value);
                auto it = artistIndex.constFind(key);
                if (it == artistIndex.constEnd()) {
                    it = artistIndex.insert(key, List2.size());
                    List2.append(songs.line(i));
                    songCount.push_back(0);
                }
                spelling = spellingIndex.emplace(value, *it).first;
            }
            ++songCount[static_cast<std::size_t>(spelling->second)];
        }
        progress.setProgressValue(i);
    }
    body += QStringLiteral("Unique Artist: ") + signBlank(List2.size());

    progress.setProgressRange(0, List2.size());
    progress.setStatusText(QStringLiteral("Getting Songs Per Artist.."));
    body += crlf + crlf + QStringLiteral("**** Total Songs Per Artist: ****");
    long long highest = 0;
    qsizetype mostSongs = -1;
    for (qsizetype j = 0; j < List2.size(); ++j) {
        const long long count = songCount[static_cast<std::size_t>(j)];
        if (count > highest) {  // ties stay with the artist met first
            highest = count;
            mostSongs = j;
        }
        body += crlf + artistName(List2[j]) + QStringLiteral(": ") + signBlank(count);
        progress.setProgressValue(j);
    }

    progress.setProgressRange(0, grid.rows());
    progress.setStatusText(QStringLiteral("Getting Longest Song.."));
    SongPick longest;
    long long longestValue = 0;
    std::vector<long long> rowValue(static_cast<std::size_t>(std::max(grid.rows(), 1)), 0);
    for (int r = 1; r < grid.rows(); ++r) {
        const long long value = rowValue[static_cast<std::size_t>(r)] = lengthValue(grid, r);
        if (value > longestValue) {
            longestValue = value;
            keepRow(longest, grid, r);
        }
        progress.setProgressValue(r);
    }
    longest.length = grid.text(longest.row, GridColumn::Length);

    progress.setProgressRange(0, grid.rows());
    progress.setStatusText(QStringLiteral("Getting Shortest Song.."));
    SongPick shortest;
    long long shortestValue = 200000;
    for (int r = 1; r < grid.rows(); ++r) {
        if (const long long value = rowValue[static_cast<std::size_t>(r)]; value < shortestValue) {
            shortestValue = value;
            keepRow(shortest, grid, r);
        }
        progress.setProgressValue(r);
    }
    shortest.length = grid.text(shortest.row, GridColumn::Length);
    // The rows were read through the current cell, which ends on the shortest song's length.
    if (shortest.row != 0)
        grid.setCurrentCell(shortest.row, GridColumn::Length);

    const QString mostName = mostSongs < 0 ? dash : artistName(List2[mostSongs]);
    const QString mostCount = mostSongs < 0 ? QLatin1Char(' ') + dash : signBlank(highest);
    report.text = QStringLiteral("Stats for: ") + input.infoFrameCaption + crlf + crlf
        + QStringLiteral("Artist with most songs: ") + mostName + QStringLiteral(" with: ") + mostCount
        + QStringLiteral(" songs") + crlf + crlf + QStringLiteral("Longest Song is: ") + crlf + songLine(longest) + crlf
        + crlf + QStringLiteral("Shortest Song is: ") + crlf + songLine(shortest) + crlf + crlf + body;
    report.complete = true;
    progress.setProgressValue(0);
    progress.setStatusText(QStringLiteral("Stats complete..."));
    return report;
}

void printReport(const QString &text, MessageService &messages, PrintService &printer)
{
    if (messages.show(QStringLiteral("Print Stats Now?"), appTitle(), MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    const PrintService::Result printed = printer.printText(withLineFeeds(text));
    switch (printed.outcome) {
    case PrintService::Outcome::Printed: messages.show(QStringLiteral("Done Printing..."), appTitle()); break;
    case PrintService::Outcome::Failed:
        messages.show(QStringLiteral("The report could not be printed: ") + printed.errorText, appTitle(),
                      MessageButtons::Ok, MessageIcon::Critical);
        break;
    case PrintService::Outcome::Cancelled: break;
    }
}
