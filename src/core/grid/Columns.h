#pragma once

#include "core/device/SongList.h"

#include <QLatin1String>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>

// The grid's columns, in order.
namespace GridColumn {
enum : int { Title, Length, Artist, Album, Genre, FileType, TrackNumber, FileName, Count };
}

// How a column's cells compare when the grid is sorted by it.
enum class SortKind : std::uint8_t {
    NumberOrText,  // numbers by value before texts by their case-folded text
    Duration,      // "m:ss" lengths by duration before other texts
    None,          // not a sort key
};

// What the program knows of one column: the header text, the width in twips
// (-1: the grid's default), the name the command line and exports use, how it
// sorts, and the song list field whose lines fill it.
struct ColumnInfo
{
    QStringView header;
    int widthTwips;
    QLatin1String name;
    SortKind sort;
    SongField field;
};

// The table of every column, indexed by GridColumn.
const std::array<ColumnInfo, GridColumn::Count> &gridColumns();

const ColumnInfo &columnInfo(int column);

// The column by its command-line name ("title", "filetype", ...).
std::optional<int> columnByName(QStringView name);

// The column that a song list field fills.
int columnOf(SongField field);
