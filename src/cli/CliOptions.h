#pragma once

#include <QHash>
#include <QLatin1String>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>

// The options given to one command: "--name VALUE" options and "--name" flags.
class CliOptions
{
public:
    // Reads args against the options the command knows. Fails (nullopt) on an
    // unknown argument, an option given twice, or a value option without its
    // value.
    static std::optional<CliOptions> parse(const QStringList &args, std::initializer_list<QLatin1String> valueOptions,
                                           std::initializer_list<QLatin1String> flags = {});

    bool has(QLatin1String name) const { return m_given.contains(name); }
    // The value of a value option; nullopt when it was not given.
    std::optional<QString> value(QLatin1String name) const;

private:
    QHash<QString, QString> m_given;  // option -> value (empty for flags)
};
