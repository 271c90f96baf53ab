#include "core/help/HelpText.h"

#include "CopyTestSupport.h"
#include "SpecialFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(HelpTextTest, SectionsOpenOnTheExactKeyLineAndCloseOnAnyCaseAndSpecialFilesAreMissing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(helpFileName());
    using L = HelpText::Lookup;
    const struct
    {
        const char *file;
        std::optional<int> number;
        L lookup;
        const char16_t *text;  // lines kept as they are, each followed by CR LF
    } cases[] = {
        {"intro\r\nhid:21\r\nFirst line.\r\n  second  \r\n  HidOver:  \r\nafter\r\n", 21, L::Found,
         u"First line.\r\n  second  \r\n"},
        // A blank before the key, a blank inside it, or a longer number do not open the section.
        {" HID:21\r\nx\r\nHIDOVER:\r\nHID: 21\r\nx\r\nHIDOVER:\r\nHID:210\r\nx\r\nHIDOVER:\r\n", 21, L::NotFound, u""},
        // The first matching section wins.
        {"HID:7\r\nfirst\r\nHIDOVER:\r\nHID:7\r\nsecond\r\nHIDOVER:\r\n", 7, L::Found, u"first\r\n"},
        // LF alone does not end a line: the lines form one, which is not the key.
        {"HID:3\nsomething\nHIDOVER:\n", 3, L::NotFound, u""},
        // A key without a number matches only the bare key.
        {"HID:4\r\nfour\r\nHIDOVER:\r\nhid:\r\nbare\r\nhidover:\r\n", std::nullopt, L::Found, u"bare\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        writeBytes(path, c.file);
        HelpText help;
        EXPECT_EQ(help.readSection(path, c.number), c.lookup);
        EXPECT_EQ(help.takePending(), QString::fromUtf16(c.text));
        EXPECT_TRUE(help.pending().isEmpty());
    }

    // A help file that is no regular file is missing, and is passed over when
    // the folders are searched (the bound on its size is the text reader's).
    QTemporaryDir real;
    const QString realPath = real.filePath(helpFileName());
    writeBytes(realPath, "HID:5\r\nfive\r\nHIDOVER:\r\n");
    const HangWatch watch;
    for (const SpecialFile kind : allSpecialFiles) {
        SCOPED_TRACE(specialFileName(kind));
        makeSpecialFile(kind, path);
        HelpText help;
        EXPECT_EQ(help.readSection(path, 5), HelpText::Lookup::FileMissing);
        EXPECT_EQ(findHelpFile({dir.path(), real.path()}, helpFileName()), realPath);
    }
}

// Every help number that a control or menu item carries finds a section with
// text in the help file that ships with the program.
TEST(ShippedHelpFileTest, EveryHelpNumberHasASection)
{
    const QString path = findHelpFile({QStringLiteral(QUILLORY_SOURCE_DIR "/data")}, helpFileName());
    ASSERT_FALSE(path.isEmpty());
    for (int n = 0; n <= 36; ++n) {
        if (n == 26 || (n >= 30 && n <= 32) || n == 34)
            continue;  // numbers nothing carries
        HelpText help;
        EXPECT_EQ(help.readSection(path, n), HelpText::Lookup::Found) << n;
        const QString text = help.takePending();
        EXPECT_GT(text.size(), 20) << n;
        EXPECT_FALSE(text.contains(QStringLiteral("HID"), Qt::CaseInsensitive)) << n;
    }
}

}  // namespace
