#include "core/grid/GridFill.h"

#include "core/device/SongList.h"
#include "core/grid/GridModel.h"
#include "core/grid/GridSort.h"

#include <algorithm>
#include <array>

namespace {

struct ColumnLayout
{
    const char16_t *header;
    int widthTwips;  // -1: the grid's default
};

constexpr std::array<ColumnLayout, GridColumn::Count> columns{{
    {u"Title", 4200},
    {u"Length", 1200},
    {u"Artist", 2200},
    {u"Album", 4200},
    {u"Genre", 1200},
    {u"File Type", -1},
    {u"Track Number", -1},
    {u"File Name", -1},
}};

int columnOf(SongField field)
{
    switch (field) {
    case SongField::Title: return GridColumn::Title;
    case SongField::Length: return GridColumn::Length;
    case SongField::Artist: return GridColumn::Artist;
    case SongField::Album: return GridColumn::Album;
    case SongField::Genre: return GridColumn::Genre;
    case SongField::FileType: return GridColumn::FileType;
    case SongField::TrackNumber: return GridColumn::TrackNumber;
    case SongField::File: return GridColumn::FileName;
    }
    return -1;
}

// A cell keeps what follows the label's colon: the blanks of the label, then the value.
QStringView blanksAfterColon(SongField field)
{
    const QStringView label = songLabel(field);
    return label.mid(label.indexOf(QLatin1Char(':')) + 1);
}

}  // namespace

long long leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    long long value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > 1'000'000'000'000LL)  // no total comes near; keeps the sum from overflowing
            break;
    }
    return value;
}

void addsongtime(PlayTimeBoxes &boxes)
{
    const qsizetype colon = boxes.Text1.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return;
    const QStringView text(boxes.Text1);
    const long long seconds = leadingNumber(text.mid(colon + 1));
    if (seconds > 59)  // also excludes every value of more than two digits
        return;
    long long minutes = leadingNumber(text.left(colon));
    long long totalSeconds = leadingNumber(boxes.Text3) + seconds;
    if (totalSeconds > 59) {
        totalSeconds %= 60;
        minutes += 1;
    }
    boxes.Text3 = QString::number(totalSeconds);
    boxes.Text2 = QString::number(leadingNumber(boxes.Text2) + minutes);
    boxes.Text1.clear();
}

void formatgrid(GridModel &grid, int lastsongindex)
{
    grid.setRows(lastsongindex + 2);
    grid.setCols(GridColumn::Count);
    for (int c = 0; c < GridColumn::Count; ++c) {
        grid.setColWidth(c, columns[static_cast<std::size_t>(c)].widthTwips);
        grid.setColAlignment(c, GridModel::Align::LeftCenter);
        grid.setText(0, c, QString::fromUtf16(columns[static_cast<std::size_t>(c)].header));
    }
}

void FILLGRID(GridModel &grid, const SongList &songs, int lastsongindex, PlayTimeBoxes &total,
              const FillProgress &progress)
{
    formatgrid(grid, lastsongindex);
    const qsizetype lineCount = songs.count();
    if (progress.setMaximum)
        progress.setMaximum(static_cast<int>(lineCount));

    grid.beginBulkUpdate();
    const qsizetype tracks = std::min<qsizetype>(songs.trackCount(), grid.rows() - 1);
    for (qsizetype t = 0; t < tracks; ++t) {
        const int row = static_cast<int>(t) + 1;
        for (qsizetype i = songs.trackStart(t), end = songs.trackEnd(t); i < end; ++i) {
            if (progress.yield)
                progress.yield();
            const SongList::Line &line = songs.at(i);
            const QStringView blanks = blanksAfterColon(line.field);
            QString cell;
            cell.reserve(blanks.size() + line.value.size());
            cell.append(blanks).append(line.value);
            if (line.field == SongField::Length) {
                total.Text1 = cell;
                addsongtime(total);
            }
            grid.setText(row, columnOf(line.field), cell);
            if (progress.setValue)
                progress.setValue(static_cast<int>(i));
        }
    }
    grid.endBulkUpdate();

    if (progress.setValue)
        progress.setValue(0);
    setgridcolor(grid);
}
