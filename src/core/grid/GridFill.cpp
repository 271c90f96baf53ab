#include "core/grid/GridFill.h"

#include "core/device/SongList.h"
#include "core/grid/GridModel.h"
#include "core/grid/GridSort.h"

#include <algorithm>
#include <array>

namespace {

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
        const ColumnInfo &column = columnInfo(c);
        grid.setColWidth(c, column.widthTwips);
        grid.setColAlignment(c, GridModel::Align::LeftCenter);
        grid.setText(0, c, column.header.toString());
    }
}

void FILLGRID(GridModel &grid, const SongList &songs, int lastsongindex, PlayTimeBoxes &total, ProgressSink &progress)
{
    formatgrid(grid, lastsongindex);
    progress.setProgressRange(0, songs.count());

    grid.beginBulkUpdate();
    const qsizetype tracks = std::min<qsizetype>(songs.trackCount(), grid.rows() - 1);
    for (qsizetype t = 0; t < tracks && !progress.cancelled(); ++t) {
        const int row = static_cast<int>(t) + 1;
        for (qsizetype i = songs.trackStart(t), end = songs.trackEnd(t); i < end; ++i) {
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
            progress.setProgressValue(i);
        }
    }
    grid.endBulkUpdate();

    progress.setProgressValue(0);
    setgridcolor(grid);
}
