#include "core/grid/Columns.h"

#include <algorithm>

const std::array<ColumnInfo, GridColumn::Count> &gridColumns()
{
    static const std::array<ColumnInfo, GridColumn::Count> columns{{
        {u"Title", 4200, QLatin1String("title"), SortKind::NumberOrText, SongField::Title},
        {u"Length", 1200, QLatin1String("length"), SortKind::Duration, SongField::Length},
        {u"Artist", 2200, QLatin1String("artist"), SortKind::NumberOrText, SongField::Artist},
        {u"Album", 4200, QLatin1String("album"), SortKind::NumberOrText, SongField::Album},
        {u"Genre", 1200, QLatin1String("genre"), SortKind::NumberOrText, SongField::Genre},
        {u"File Type", -1, QLatin1String("filetype"), SortKind::NumberOrText, SongField::FileType},
        {u"Track Number", -1, QLatin1String("tracknumber"), SortKind::NumberOrText, SongField::TrackNumber},
        {u"File Name", -1, QLatin1String("filename"), SortKind::None, SongField::File},
    }};
    return columns;
}

const ColumnInfo &columnInfo(int column)
{
    return gridColumns()[static_cast<std::size_t>(column)];
}

std::optional<int> columnByName(QStringView name)
{
    const auto &columns = gridColumns();
    const auto found =
        std::find_if(columns.begin(), columns.end(), [&](const ColumnInfo &c) { return name == c.name; });
    if (found == columns.end())
        return std::nullopt;
    return static_cast<int>(found - columns.begin());
}

int columnOf(SongField field)
{
    const auto &columns = gridColumns();
    const auto found =
        std::find_if(columns.begin(), columns.end(), [&](const ColumnInfo &c) { return c.field == field; });
    return static_cast<int>(found - columns.begin());
}
