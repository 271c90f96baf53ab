#include "gui/help/frmhelp.h"

#include "core/help/HelpText.h"

#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

// How many screen lines each text line takes in the window.
QList<int> shownLines(const frmhelp &window)
{
    const QTextDocument *document = window.findChild<QTextEdit *>(QStringLiteral("Text1"))->document();
    QList<int> lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        lines << block.layout()->lineCount();
    return lines;
}

// The window takes the width of its longest line, so that no sentence of
// the help file breaks in the middle; within the screen.
TEST(frmhelpTest, TheWindowIsSizedToTheHelpText)
{
    const QString path = findHelpFile({QStringLiteral(QUILLORY_SOURCE_DIR "/data")}, helpFileName());
    for (const int section : {22, 36}) {
        HelpText help;
        ASSERT_EQ(help.readSection(path, section), HelpText::Lookup::Found);
        const QString text = help.takePending();
        frmhelp window;
        window.setHelpText(text);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const QList<int> lines = shownLines(window);
        EXPECT_EQ(lines.size(), text.count(QStringLiteral("\r\n")) + 1) << section;
        for (int i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i], 1) << "section " << section << ", line " << i + 1 << " wraps";
    }

    // A line wider than the screen: the window stops at the screen, and that line wraps.
    frmhelp window;
    window.setHelpText(QStringLiteral("short\r\n") + QStringLiteral("word ").repeated(1000) + QStringLiteral("\r\n"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_LE(window.frameGeometry().width(), window.screen()->availableSize().width());
    const QList<int> lines = shownLines(window);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], 1);
    EXPECT_GT(lines[1], 1);
}

}  // namespace
