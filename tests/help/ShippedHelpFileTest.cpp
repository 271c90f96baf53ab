#include "help/HelpText.h"

#include <gtest/gtest.h>

namespace {

// Every control and menu item that carries a help number finds a section with
// text in the help file that ships with the program.
TEST(ShippedHelpFileTest, EveryHelpNumberHasASection)
{
    const QString path = findHelpFile({QStringLiteral(QUILLORY_SOURCE_DIR "/data")}, helpFileName());
    ASSERT_FALSE(path.isEmpty());
    QList<int> numbers;
    for (int n = 0; n <= 25; ++n)
        numbers << n;
    numbers << 27 << 28 << 29 << 33 << 35 << 36;
    for (int n : numbers) {
        HelpText help;
        EXPECT_EQ(help.readSection(path, n), HelpText::Lookup::Found) << n;
        const QString text = help.takePending();
        EXPECT_GT(text.size(), 20) << n;
        EXPECT_FALSE(text.contains(QStringLiteral("HID"), Qt::CaseInsensitive)) << n;
    }
}

}  // namespace
