#include "app/CommandLine.h"
#include "app/ConnectProgress.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressTextTest, PhasesInOrder)
{
    EXPECT_EQ(progresstext(0, 0, false), QStringLiteral("Starting"));
    EXPECT_EQ(progresstext(0, 250, false), QStringLiteral("Starting"));
    EXPECT_EQ(progresstext(4, 7, false), QStringLiteral("57%"));
    EXPECT_EQ(progresstext(250, 250, false), QStringLiteral("Sorting"));
    EXPECT_EQ(progresstext(250, 250, true), QStringLiteral("Parsing 250 songs..."));
}

TEST(ProgressTextTest, PercentageRoundsHalvesToEven)
{
    EXPECT_EQ(progresstext(1, 8, false), QStringLiteral("12%"));    // 12.5
    EXPECT_EQ(progresstext(3, 8, false), QStringLiteral("38%"));    // 37.5
    EXPECT_EQ(progresstext(1, 200, false), QStringLiteral("0%"));   // 0.5
    EXPECT_EQ(progresstext(3, 200, false), QStringLiteral("2%"));   // 1.5
    EXPECT_EQ(progresstext(2, 3, false), QStringLiteral("67%"));    // 66.67
    EXPECT_EQ(progresstext(199, 200, false), QStringLiteral("100%"));  // 99.5
    // Large libraries do not overflow.
    EXPECT_EQ(progresstext(2'000'000'000, 2'100'000'000, true), QStringLiteral("95%"));
}

TEST(CommandLineTest, AcceptsNothingOrPlayerFolder)
{
    const CommandLine none = parseCommandLine({});
    EXPECT_TRUE(none.valid);
    EXPECT_FALSE(none.playerRoot.has_value());

    const CommandLine player = parseCommandLine({QStringLiteral("--player"), QStringLiteral("/media/anna/IPOD")});
    EXPECT_TRUE(player.valid);
    EXPECT_EQ(player.playerRoot, QStringLiteral("/media/anna/IPOD"));
}

TEST(CommandLineTest, RejectsAnythingElse)
{
    const QList<QStringList> bad = {
        {QStringLiteral("--player")},
        {QStringLiteral("--player"), QString()},
        {QStringLiteral("/media/anna/IPOD")},
        {QStringLiteral("--help")},
        {QStringLiteral("--player"), QStringLiteral("a"), QStringLiteral("b")},
    };
    for (const QStringList &arguments : bad)
        EXPECT_FALSE(parseCommandLine(arguments).valid) << arguments.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(usageText(QStringLiteral("quillory")).contains(QStringLiteral("--player DIR")));
}

}  // namespace
