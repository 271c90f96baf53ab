#include "core/app/ConnectProgress.h"
#include "core/app/CommandLine.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(ProgressTextTest, PhasesInOrderWithHalvesRoundedToEven)
{
    const struct
    {
        int index, total;
        bool loaded;
        const char *text;
    } cases[] = {
        {0, 0, false, "Starting"},
        {1, 8, false, "12%"},
        {3, 8, false, "38%"},
        {199, 200, false, "100%"},
        {250, 250, false, "Sorting"},
        {250, 250, true, "Parsing 250 songs..."},
        {2'000'000'000, 2'100'000'000, true, "95%"},  // no overflow on large counts
    };
    for (const auto &c : cases)
        EXPECT_EQ(progresstext(c.index, c.total, c.loaded), QLatin1String(c.text)) << c.index << '/' << c.total;
}

TEST(CommandLineTest, AcceptsNothingOrOnePlayerFolderAndAsksForHelpAndVersion)
{
    EXPECT_FALSE(parseCommandLine({}).playerRoot.has_value());
    const CommandLine player = parseCommandLine({QStringLiteral("--player"), QStringLiteral("/media/anna/IPOD")});
    EXPECT_TRUE(player.valid);
    EXPECT_EQ(player.playerRoot, QStringLiteral("/media/anna/IPOD"));

    const QList<QStringList> bad = {
        {QStringLiteral("--player")},
        {QStringLiteral("--player"), QString()},
        {QStringLiteral("/media/anna/IPOD")},
        {QStringLiteral("--player"), QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral("--player"), QStringLiteral("a"), QStringLiteral("--player"), QStringLiteral("b")},
    };
    for (const QStringList &arguments : bad) {
        const CommandLine refused = parseCommandLine(arguments);
        EXPECT_FALSE(refused.valid) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(refused.errorText.isEmpty());
    }
    EXPECT_TRUE(parseCommandLine({QStringLiteral("--help")}).showHelp);
    EXPECT_TRUE(parseCommandLine({QStringLiteral("-h")}).showHelp);
    EXPECT_TRUE(parseCommandLine({QStringLiteral("--version")}).showVersion);
    EXPECT_FALSE(player.showHelp || player.showVersion);
    // A folder named like an option is still the folder.
    EXPECT_EQ(parseCommandLine({QStringLiteral("--player"), QStringLiteral("--help")}).playerRoot,
              QDir::current().absoluteFilePath(QStringLiteral("--help")));

    const QString usage = usageText(QStringLiteral("quillory"));
    EXPECT_TRUE(usage.startsWith(QStringLiteral("Usage: quillory [OPTIONS]\n")));
    for (const char *option : {"--player <DIR>", "--help", "--version"})
        EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;
}

}  // namespace
