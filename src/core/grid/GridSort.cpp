#include "core/grid/GridSort.h"

#include "core/grid/Columns.h"
#include "core/grid/GridModel.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <utility>
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

// The value of a text of digits; up to 15 of them are read exactly without
// the general number parser.
double digitsValue(QStringView digits)
{
    if (digits.size() > 15)
        return digits.toDouble();
    std::int64_t value = 0;
    for (const QChar ch : digits)
        value = value * 10 + (ch.unicode() - u'0');
    return static_cast<double>(value);
}

// Whether the text, past its leading blanks, begins with a visible ASCII
// character that `accepted` refuses. Most cells are plain words: this settles
// them as text without trimming them.
template <typename Accepted>
bool beginsWithOther(QStringView text, Accepted accepted)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    if (i == text.size())
        return false;
    const char16_t c = text[i].unicode();
    return c > u' ' && c < 0x7F && !accepted(c);
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// A number with blanks around it, an optional sign, digits and an optional
// decimal point: "   7", "  12.5". Anything else is text.
std::optional<double> readNumber(QStringView text)
{
    if (beginsWithOther(text, [](char16_t c) { return isDigit(c) || c == u'+' || c == u'-' || c == u'.'; }))
        return std::nullopt;
    text = text.trimmed();
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QStringView unsignedPart = negative || text.startsWith(QLatin1Char('+')) ? text.mid(1) : text;
    const qsizetype point = unsignedPart.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? unsignedPart : unsignedPart.left(point);
    const QStringView fraction = point < 0 ? QStringView() : unsignedPart.mid(point + 1);
    const bool valid = (allDigits(whole) || whole.isEmpty()) && (allDigits(fraction) || fraction.isEmpty())
        && (allDigits(whole) || allDigits(fraction));
    if (!valid)
        return std::nullopt;
    if (point < 0)
        return negative ? -digitsValue(whole) : digitsValue(whole);
    return text.toDouble();
}

// A length "m:ss" with blanks around it, as seconds.
std::optional<double> readDuration(QStringView text)
{
    if (beginsWithOther(text, isDigit))
        return std::nullopt;
    text = text.trimmed();
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const QStringView minutes = text.left(colon);
    const QStringView seconds = text.mid(colon + 1);
    if (colon < 0 || !allDigits(minutes) || seconds.size() != 2 || !allDigits(seconds))
        return std::nullopt;
    return digitsValue(minutes) * 60 + digitsValue(seconds);
}

// The order of a sort column. Keys that read as a number (a duration in the
// Length column) come first, ordered by value; all other texts follow,
// ordered unit by unit by their text under simple Unicode case folding, so
// "abba" and "ABBA" sort together ("ß" and "ss" stay apart). Putting every
// number before every text keeps the order consistent when a column mixes
// them. The order is made once per column as ranks: rows with equal keys get
// equal ranks, and the grid keeps the ranks until a cell of the column changes.

// Appends the text case-folded, with a fast path for ASCII, which most tags
// are; other texts go through the full Unicode folding.
void appendCaseFolded(std::vector<char16_t> &out, const QString &text)
{
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(text.size()));
    char16_t *folded = out.data() + start;
    char16_t seen = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        seen |= c;
        *folded++ = static_cast<char16_t>(c - u'A') < 26 ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
    }
    if (seen >= 0x80) {
        out.resize(start);
        const QString unicodeFolded = text.toCaseFolded();
        out.insert(out.end(), unicodeFolded.utf16(), unicodeFolded.utf16() + unicodeFolded.size());
    }
}

// A number as an unsigned integer that orders the same way (both zeros alike).
std::uint64_t orderedBits(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value == 0 ? 0.0 : value);
    constexpr std::uint64_t sign = 0x8000'0000'0000'0000u;
    return (bits & sign) != 0 ? ~bits : bits | sign;
}

// One song row while a column's ranks are made: the part of its key compared
// at the present step, and the row (0-based among the song rows).
struct RankItem
{
    std::uint64_t part;
    std::size_t row;
};
using RankItems = std::vector<RankItem>;

void sortByPart(RankItems::iterator begin, RankItems::iterator end)
{
    std::sort(begin, end, [](const RankItem &a, const RankItem &b) { return a.part < b.part; });
}

// Calls run(first, last) for each run of items with equal parts, in order.
template <typename Run>
void forEachRun(RankItems::iterator begin, RankItems::iterator end, const Run &run)
{
    while (begin != end) {
        auto last = begin + 1;
        while (last != end && last->part == begin->part)
            ++last;
        run(begin, last);
        begin = last;
    }
}

// The case-folded texts of the song cells that do not read as numbers.
class FoldedTexts
{
public:
    explicit FoldedTexts(std::size_t rows)
        : m_spans(rows)
    {}

    void add(std::size_t row, const QString &text)
    {
        m_spans[row].start = m_chars.size();
        appendCaseFolded(m_chars, text);
        m_spans[row].end = m_chars.size();
    }

    // Three UTF-16 units of the row's folded text from unit 3 * step on, each
    // as its value + 1 in 17 bits and 0 past the end: parts compare as the
    // texts do unit by unit, a text before every longer one that begins with it.
    std::uint64_t part(std::size_t row, std::size_t step) const
    {
        const Span &span = m_spans[row];
        std::uint64_t value = 0;
        for (std::size_t i = span.start + 3 * step, last = i + 3; i < last; ++i)
            value = value << 17 | (i < span.end ? std::uint64_t{m_chars[i]} + 1 : 0);
        return value;
    }
    // Whether the texts whose part this is end in it.
    static bool endsIn(std::uint64_t part) { return (part & 0x1FFFF) == 0; }

    // The steps in which the texts of every item agree and none of them
    // ends: ranking can begin after them. Cells often share their first
    // words ("  The ..."), and a step that all rows pass alike still reads
    // every row.
    std::size_t sharedSteps(const RankItems &items) const
    {
        if (items.empty())
            return 0;
        const auto units = [this](std::size_t row) {
            const Span &span = m_spans[row];
            return QStringView(m_chars.data() + span.start, static_cast<qsizetype>(span.end - span.start));
        };
        const QStringView first = units(items.front().row);
        qsizetype shared = first.size();
        for (const RankItem &item : items) {
            const QStringView text = units(item.row);
            const auto [end, unused] = std::mismatch(first.begin(), first.begin() + shared, text.begin(), text.end());
            shared = end - first.begin();
            if (shared < 3)
                return 0;
        }
        return static_cast<std::size_t>(shared / 3);
    }

    // Asks the processor to fetch what part(row, step) reads: once the rows
    // are sorted they are read in no order of memory. Like GridModel's rows,
    // the span of a row comes first, its units eight rows later.
    void prefetch(std::size_t spanRow, std::size_t unitsRow, std::size_t step) const
    {
        __builtin_prefetch(&m_spans[spanRow]);
        __builtin_prefetch(m_chars.data() + m_spans[unitsRow].start + 3 * step);
    }

private:
    struct Span
    {
        std::size_t start = 0;
        std::size_t end = 0;
    };
    std::vector<char16_t> m_chars;
    std::vector<Span> m_spans;
};

// How far ahead of the row being read its texts are fetched.
constexpr int rowsAhead = 8;

// Ranks the text rows by their folded texts, three units at a time: each step
// sorts only rows whose texts agreed so far, and a step where they all agree
// costs one pass. Ranks are given in order from nextRank on.
void rankTexts(RankItems &items, const FoldedTexts &texts, std::uint32_t &nextRank, std::vector<std::uint32_t> &ranks)
{
    struct Range
    {
        std::size_t begin, end, step;
        bool settled;  // every text in it is equal
    };
    const auto at = [&items](std::size_t i) { return items.begin() + static_cast<std::ptrdiff_t>(i); };
    // A stack taken last first: runs are pushed in reverse so that they come off in order.
    std::vector<Range> pending;
    if (!items.empty())
        pending.push_back({0, items.size(), texts.sharedSteps(items), false});
    std::vector<Range> runs;
    while (!pending.empty()) {
        const Range range = pending.back();
        pending.pop_back();
        if (range.settled) {
            for (auto it = at(range.begin); it != at(range.end); ++it)
                ranks[it->row] = nextRank;
            ++nextRank;
            continue;
        }
        bool alike = true;
        for (auto it = at(range.begin); it != at(range.end); ++it) {
            if (at(range.end) - it > 2 * rowsAhead)
                texts.prefetch((it + 2 * rowsAhead)->row, (it + rowsAhead)->row, range.step);
            it->part = texts.part(it->row, range.step);
            alike = alike && it->part == at(range.begin)->part;
        }
        if (!alike)
            sortByPart(at(range.begin), at(range.end));
        runs.clear();
        forEachRun(at(range.begin), at(range.end), [&](RankItems::iterator first, RankItems::iterator last) {
            const auto b = static_cast<std::size_t>(first - items.begin());
            const auto e = static_cast<std::size_t>(last - items.begin());
            runs.push_back({b, e, range.step + 1, e - b == 1 || FoldedTexts::endsIn(first->part)});
        });
        pending.insert(pending.end(), runs.rbegin(), runs.rend());
    }
}

// The rank of each song row of the column, in the grid's present row order.
std::vector<std::uint32_t> columnRanks(const GridModel &grid, int column)
{
    const auto rows = static_cast<std::size_t>(grid.rows() - 1);
    const bool durations = columnInfo(column).sort == SortKind::Duration;
    // A row goes to one of the two lists: each is made once, large enough.
    RankItems numbers;
    numbers.reserve(rows);
    RankItems textRows;
    textRows.reserve(rows);
    FoldedTexts texts(rows);
    for (std::size_t r = 0; r < rows; ++r) {
        grid.prefetchRow(static_cast<int>(r) + 1 + rowsAhead, column);
        const QString &cell = grid.text(static_cast<int>(r) + 1, column);
        if (const auto value = durations ? readDuration(cell) : readNumber(cell)) {
            numbers.push_back({orderedBits(*value), r});
        } else {
            textRows.push_back({0, r});
            texts.add(r, cell);
        }
    }
    std::vector<std::uint32_t> ranks(rows);
    std::uint32_t nextRank = 0;
    sortByPart(numbers.begin(), numbers.end());
    forEachRun(numbers.begin(), numbers.end(), [&](RankItems::iterator first, RankItems::iterator last) {
        for (; first != last; ++first)
            ranks[first->row] = nextRank;
        ++nextRank;
    });
    rankTexts(textRows, texts, nextRank, ranks);
    return ranks;
}

// The new row order by the column's keys (ranks), rows of equal rank in their
// present order: a counting sort, as ranks are below the number of song rows.
// order[i] is the grid row that becomes row i + 1.
std::vector<int> orderByRank(const GridModel &grid, int column, bool descending)
{
    const int songRows = grid.rows() - 1;
    const auto slotOf = [&](int row) {
        const std::uint32_t rank = grid.columnKey(row, column);
        return static_cast<std::size_t>(descending ? static_cast<std::uint32_t>(songRows) - 1 - rank : rank);
    };
    std::vector<std::size_t> slot(static_cast<std::size_t>(songRows) + 1, 0);
    for (int row = 1; row <= songRows; ++row)
        ++slot[slotOf(row)];
    std::size_t next = 0;
    for (std::size_t &s : slot)
        next += std::exchange(s, next);
    std::vector<int> order(static_cast<std::size_t>(songRows));
    for (int row = 1; row <= songRows; ++row)
        order[slot[slotOf(row)]++] = row;
    return order;
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
        if (!grid.hasColumnKeys(column))
            grid.keepColumnKeys(column, columnRanks(grid, column));
        if (grid.hasColumnKeys(column))
            grid.reorderRows(orderByRank(grid, column, descending));
    }
    resetgridcolor(grid);
    setgridcolor(grid);
    grid.endBulkUpdate();
}
