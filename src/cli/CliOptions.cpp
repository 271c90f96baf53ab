#include "cli/CliOptions.h"

#include <algorithm>

namespace {

bool contains(std::initializer_list<QLatin1String> names, const QString &arg)
{
    return std::any_of(names.begin(), names.end(), [&](QLatin1String name) { return arg == name; });
}

}  // namespace

std::optional<CliOptions> CliOptions::parse(const QStringList &args, std::initializer_list<QLatin1String> valueOptions,
                                            std::initializer_list<QLatin1String> flags)
{
    CliOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (options.m_given.contains(arg))
            return std::nullopt;
        if (contains(valueOptions, arg) && i + 1 < args.size())
            options.m_given.insert(arg, args[++i]);
        else if (contains(flags, arg))
            options.m_given.insert(arg, QString());
        else
            return std::nullopt;
    }
    return options;
}

std::optional<QString> CliOptions::value(QLatin1String name) const
{
    const auto it = m_given.constFind(name);
    if (it == m_given.cend())
        return std::nullopt;
    return *it;
}
