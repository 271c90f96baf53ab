#include "core/grid/GridSort.h"

#include "core/grid/Columns.h"
#include "core/grid/GridModel.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The last cell that a row-by-row colour pass visits.
void moveToLastCell(GridModel &grid)
{
    grid.setCurrentCell(grid.rows() - 1, grid.cols() - 1);
}

bool allDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar ch) {
        return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
    });
}

// A number with blanks around it, an optional sign, digits and an optional
// decimal point: "   7", "  12.5". Anything else is text.
std::optional<double> readNumber(QStringView text)
{
    text = text.trimmed();
    const QStringView unsignedPart =
        text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? text.mid(1) : text;
    const qsizetype point = unsignedPart.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? unsignedPart : unsignedPart.left(point);
    const QStringView fraction = point < 0 ? QStringView() : unsignedPart.mid(point + 1);
    const bool valid = (allDigits(whole) || whole.isEmpty()) && (allDigits(fraction) || fraction.isEmpty())
        && (allDigits(whole) || allDigits(fraction));
    if (!valid)
        return std::nullopt;
    return text.toDouble();
}

// A length "m:ss" with blanks around it, as seconds.
std::optional<double> readDuration(QStringView text)
{
    text = text.trimmed();
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const QStringView minutes = text.left(colon);
    const QStringView seconds = text.mid(colon + 1);
    if (colon < 0 || !allDigits(minutes) || seconds.size() != 2 || !allDigits(seconds))
        return std::nullopt;
    return minutes.toDouble() * 60 + seconds.toDouble();
}

// Sort key of one cell. Keys that read as a number (a duration in the Length
// column) come first, ordered by value; all other texts follow, ordered by
// their text under simple Unicode case folding, so "abba" and "ABBA" sort
// together ("ß" and "ss" stay apart). Putting every
// number before every text keeps the order consistent when a column mixes them.
struct SortKey
{
    bool isText = false;
    double number = 0;
    QString folded;
};

bool keyLess(const SortKey &a, const SortKey &b)
{
    if (a.isText != b.isText)
        return !a.isText;
    if (!a.isText)
        return a.number < b.number;
    return a.folded < b.folded;
}

// Case folding with a fast path for ASCII, which most tags are; other texts
// go through the full Unicode folding.
QString caseFolded(const QString &text)
{
    QString folded(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(folded.data());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c >= 0x80)
            return text.toCaseFolded();
        *out++ = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
    }
    return folded;
}

SortKey makeKey(const QString &text, int column)
{
    const auto value = columnInfo(column).sort == SortKind::Duration ? readDuration(text) : readNumber(text);
    if (value)
        return SortKey{false, *value, {}};
    return SortKey{true, 0, caseFolded(text)};
}

}  // namespace

void setgridcolor(GridModel &grid)
{
    grid.beginBulkUpdate();
    for (int c = 0; c < grid.cols(); ++c) {
        grid.setBackColor(0, c, GridColors::HeaderBack);
        grid.setForeColor(0, c, GridColors::HeaderText);
    }
    grid.fillBackColor(1, GridColors::ButtonFace);
    grid.endBulkUpdate();
    moveToLastCell(grid);
}

void resetgridcolor(GridModel &grid)
{
    grid.fillBackColor(1, GridColors::White);
    moveToLastCell(grid);
}

void sortGrid(GridModel &grid, int column, bool descending)
{
    if (!grid.setCol(column))
        return;
    const int songRows = grid.rows() - 1;
    grid.beginBulkUpdate();
    if (songRows > 1) {
        std::vector<SortKey> keys;
        keys.reserve(static_cast<std::size_t>(songRows));
        for (int r = 1; r <= songRows; ++r)
            keys.push_back(makeKey(grid.text(r, column), column));
        std::vector<int> order(static_cast<std::size_t>(songRows));
        for (int i = 0; i < songRows; ++i)
            order[static_cast<std::size_t>(i)] = i + 1;
        const auto keyOf = [&keys](int row) -> const SortKey & { return keys[static_cast<std::size_t>(row - 1)]; };
        if (descending)
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keyLess(keyOf(b), keyOf(a)); });
        else
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keyLess(keyOf(a), keyOf(b)); });
        grid.reorderRows(order);
    }
    resetgridcolor(grid);
    setgridcolor(grid);
    grid.endBulkUpdate();
}
