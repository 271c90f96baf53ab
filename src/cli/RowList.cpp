#include "cli/RowList.h"

#include <QList>

std::optional<std::vector<RowRange>> parseRowList(const QString &text)
{
    const auto number = [](QStringView digits) -> std::optional<int> {
        for (QChar ch : digits) {
            if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
                return std::nullopt;
        }
        bool ok = false;
        const int value = digits.toInt(&ok);
        return ok && value >= 1 ? std::optional<int>(value) : std::nullopt;
    };
    std::vector<RowRange> ranges;
    for (const QStringView item : QStringView(text).split(QLatin1Char(','))) {
        const qsizetype dash = item.indexOf(QLatin1Char('-'));
        const auto first = number(dash < 0 ? item : item.left(dash));
        const auto last = dash < 0 ? first : number(item.mid(dash + 1));
        if (!first || !last || *last < *first)
            return std::nullopt;
        ranges.push_back({*first, *last});
    }
    return ranges;
}
