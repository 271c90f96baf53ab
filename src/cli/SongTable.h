#pragma once

#include "core/grid/GridFill.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QLatin1String>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class GridModel;

// How list, grid and search print their songs.
enum class OutputFormat {
    Text,  // each command's own layout
    Tsv,   // tab-separated, a header of column names, cells escaped by tsvEscaped
    Csv,   // comma-separated with RFC 4180 quoting and CR LF line ends, a header of column names
    Json,  // an array of objects keyed by column name
};

// "text", "tsv", "csv" or "json"; anything else is nullopt.
std::optional<OutputFormat> outputFormat(const QString &name);

// --format FORMAT, and the format it names; an unknown name is reported on
// standard error and gives nullopt.
QCommandLineOption formatOption();
std::optional<OutputFormat> chosenFormat(const QCommandLineParser &options);

// One song's values in grid column order, without the blanks the grid puts
// before them; the track number as bare digits. An absent value is empty.
using SongValues = std::array<QString, GridColumn::Count>;

// The values of song row `row` of a filled grid.
SongValues gridRowValues(const GridModel &grid, int row);

// A cell for one tab-separated line: backslash, tab, line feed and carriage
// return become \\, \t, \n and \r, so every line is one row; the other
// control characters become \xHH.
QString tsvEscaped(QStringView cell);
// Appends tsvEscaped(cell) to out.
void appendTsvEscaped(QString &out, QStringView cell);
// A field of a CSV record, quoted when it holds a comma, a quote, CR or LF.
QString csvField(QStringView value);
// A JSON string literal; control characters (C0, DEL, C1) as \u00XX.
QString jsonString(QStringView value);

// The seconds of a length text "m:ss"; nullopt when it is not one.
std::optional<long long> lengthSeconds(QStringView length);

// One song as a line of the format (tsv, csv or json; no line end). json
// gives the object with the length's seconds as "lengthseconds" beside the
// length text and the track number as a number (null when absent).
QString songLine(OutputFormat format, const SongValues &song);

// One cell of a table other than the song grid's: its text, and whether JSON
// writes it as it is (a number, true, false or null) rather than as a string.
struct TableCell
{
    QString text;
    bool bare = false;
};
using TableRow = std::vector<TableCell>;

// A row as a line of the format (tsv, csv or json; no line end): tsv and csv
// cells escaped as song lines are, json an object keyed by the names.
QString tableLine(OutputFormat format, const QStringList &names, const TableRow &row);

// Prints count records in a format other than Text to standard output in
// UTF-8: tsv and csv after the header line (csv with CR LF line ends), json as
// an array with one object a line; line(i) gives record i.
void printRecords(OutputFormat format, qsizetype count, const QString &header,
                  const std::function<QString(qsizetype)> &line);

// Prints count songs in a format other than Text to standard output in
// UTF-8: tsv and csv with a header line, json as an array with one object a
// line; song(i) gives song i.
void printSongs(OutputFormat format, qsizetype count, const std::function<SongValues(qsizetype)> &song);

// Prints the song rows of a grid filled with `songs` songs, in grid order.
void printGridSongs(OutputFormat format, const GridModel &grid, int songs);
