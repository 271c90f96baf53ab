#pragma once

#include <QString>

#include <optional>
#include <vector>

struct RowRange
{
    int first = 0;
    int last = 0;
};

// "1-5,9": row numbers and ranges separated by commas. Every number is at
// least 1 and no range runs backwards; anything else fails.
std::optional<std::vector<RowRange>> parseRowList(const QString &text);
