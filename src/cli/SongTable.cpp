#include "cli/SongTable.h"

#include "cli/CliCommand.h"
#include "core/grid/GridModel.h"

#include <algorithm>

namespace {

QString jsonNumber(std::optional<long long> n)
{
    return n ? QString::number(*n) : QStringLiteral("null");
}

std::optional<long long> digitsValue(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 12)
        return std::nullopt;
    long long value = 0;
    for (const QChar ch : digits) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (ch.unicode() - u'0');
    }
    return value;
}

// The escape that tsv cells and JSON strings both use for a backslash, tab,
// line feed or carriage return; empty for every other character.
QLatin1String backslashEscape(QChar ch)
{
    switch (ch.unicode()) {
    case u'\\': return QLatin1String("\\\\");
    case u'\t': return QLatin1String("\\t");
    case u'\n': return QLatin1String("\\n");
    case u'\r': return QLatin1String("\\r");
    default: return {};
    }
}

template <typename Cells, typename Escape>
QString joined(const Cells &values, QChar separator, Escape escape)
{
    QString line;
    for (std::size_t c = 0; c < values.size(); ++c) {
        if (c > 0)
            line += separator;
        line += escape(values[c]);
    }
    return line;
}

}  // namespace

std::optional<OutputFormat> outputFormat(const QString &name)
{
    if (name == QLatin1String("text"))
        return OutputFormat::Text;
    if (name == QLatin1String("tsv"))
        return OutputFormat::Tsv;
    if (name == QLatin1String("csv"))
        return OutputFormat::Csv;
    if (name == QLatin1String("json"))
        return OutputFormat::Json;
    return std::nullopt;
}

QCommandLineOption formatOption()
{
    return {QStringLiteral("format"), QStringLiteral("Output format: text (the default), tsv, csv or json."),
            QStringLiteral("FORMAT"), QStringLiteral("text")};
}

std::optional<OutputFormat> chosenFormat(const QCommandLineParser &options)
{
    const QString name = options.value(formatOption());
    const auto format = outputFormat(name);
    if (!format)
        usageProblem(QStringLiteral("unknown format: ") + name);
    return format;
}

SongValues gridRowValues(const GridModel &grid, int row)
{
    // A filled cell is two blanks followed by the value; the track number
    // keeps a third blank in the place of a sign.
    SongValues values;
    for (int c = 0; c < GridColumn::Count; ++c) {
        const QString value = grid.text(row, c).mid(2);
        values[static_cast<std::size_t>(c)] = c == GridColumn::TrackNumber ? value.trimmed() : value;
    }
    return values;
}

void appendTsvEscaped(QString &out, QStringView cell)
{
    const auto plain = [](QChar ch) {
        const char16_t c = ch.unicode();
        return c >= 0x20 && c != u'\\' && (c < 0x7F || c > 0x9F);
    };
    // Most cells need no escape: they are appended whole.
    if (std::all_of(cell.begin(), cell.end(), plain)) {
        out += cell;
        return;
    }
    for (const QChar ch : cell) {
        const QLatin1String escape = backslashEscape(ch);
        if (!escape.isEmpty())
            out += escape;
        else if (!plain(ch))
            out += controlEscaped(QStringView(&ch, 1));
        else
            out += ch;
    }
}

QString tsvEscaped(QStringView cell)
{
    QString out;
    appendTsvEscaped(out, cell);
    return out;
}

QString csvField(QStringView value)
{
    const bool quote = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"'))
        || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
    if (!quote)
        return value.toString();
    QString out = value.toString();
    out.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString jsonString(QStringView value)
{
    QString out;
    out.reserve(value.size() + 2);
    out += QLatin1Char('"');
    for (const QChar ch : value) {
        const QLatin1String escape = backslashEscape(ch);
        if (ch == QLatin1Char('"'))
            out += QLatin1String("\\\"");
        else if (!escape.isEmpty())
            out += escape;
        else if (ch.unicode() < 0x20 || (ch.unicode() >= 0x7F && ch.unicode() <= 0x9F))
            out += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += ch;
    }
    out += QLatin1Char('"');
    return out;
}

std::optional<long long> lengthSeconds(QStringView length)
{
    const qsizetype colon = length.indexOf(QLatin1Char(':'));
    if (colon < 0 || length.size() - colon != 3)
        return std::nullopt;
    const auto minutes = digitsValue(length.left(colon));
    const auto seconds = digitsValue(length.mid(colon + 1));
    if (!minutes || !seconds || *seconds > 59)
        return std::nullopt;
    return *minutes * 60 + *seconds;
}

QString songLine(OutputFormat format, const SongValues &song)
{
    switch (format) {
    case OutputFormat::Text:
    case OutputFormat::Tsv: return joined(song, QLatin1Char('\t'), tsvEscaped);
    case OutputFormat::Csv: return joined(song, QLatin1Char(','), csvField);
    case OutputFormat::Json: break;
    }
    // The length's seconds follow the length text.
    static const QStringList names = [] {
        QStringList list;
        for (int c = 0; c < GridColumn::Count; ++c) {
            list << QString(columnInfo(c).name);
            if (c == GridColumn::Length)
                list << QStringLiteral("lengthseconds");
        }
        return list;
    }();
    TableRow row;
    for (int c = 0; c < GridColumn::Count; ++c) {
        const QString &value = song[static_cast<std::size_t>(c)];
        if (c == GridColumn::TrackNumber)
            row.push_back({jsonNumber(digitsValue(value)), true});
        else
            row.push_back({value});
        if (c == GridColumn::Length)
            row.push_back({jsonNumber(lengthSeconds(value)), true});
    }
    return tableLine(format, names, row);
}

QString tableLine(OutputFormat format, const QStringList &names, const TableRow &row)
{
    const auto text = [](const TableCell &cell) -> QStringView { return cell.text; };
    switch (format) {
    case OutputFormat::Text:
    case OutputFormat::Tsv:
        return joined(row, QLatin1Char('\t'), [&](const TableCell &c) { return tsvEscaped(text(c)); });
    case OutputFormat::Csv: return joined(row, QLatin1Char(','), [&](const TableCell &c) { return csvField(text(c)); });
    case OutputFormat::Json: break;
    }
    QString object = QStringLiteral("{");
    for (std::size_t c = 0; c < row.size(); ++c) {
        if (c > 0)
            object += QLatin1Char(',');
        object += jsonString(names.at(static_cast<qsizetype>(c))) + QLatin1Char(':');
        object += row[c].bare ? row[c].text : jsonString(row[c].text);
    }
    return object + QLatin1Char('}');
}

void printRecords(OutputFormat format, qsizetype count, const QString &header,
                  const std::function<QString(qsizetype)> &line)
{
    if (format == OutputFormat::Json) {
        // "[", one object a line with a comma after all but the last, "]".
        printLines(count + 2, [&](qsizetype i) {
            if (i == 0)
                return QStringLiteral("[");
            if (i == count + 1)
                return QStringLiteral("]");
            return line(i - 1) + (i < count ? QStringLiteral(",") : QString());
        });
        return;
    }
    const QByteArrayView lineEnd = format == OutputFormat::Csv ? "\r\n" : "\n";
    printLines(
        count + 1, [&](qsizetype i) { return i == 0 ? header : line(i - 1); }, lineEnd);
}

void printSongs(OutputFormat format, qsizetype count, const std::function<SongValues(qsizetype)> &song)
{
    SongValues header;
    for (int c = 0; c < GridColumn::Count; ++c)
        header[static_cast<std::size_t>(c)] = columnInfo(c).name;
    printRecords(format, count, songLine(format, header), [&](qsizetype i) { return songLine(format, song(i)); });
}

void printGridSongs(OutputFormat format, const GridModel &grid, int songs)
{
    printSongs(format, songs, [&](qsizetype i) { return gridRowValues(grid, static_cast<int>(i) + 1); });
}
