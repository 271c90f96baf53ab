#include "ReaderTestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// Each corpus file holds hex digits, with "#" lines for comments. A comment
// "# expect: complete N" or "# expect: stopped N" gives the outcome and the
// number of whole tracks; inputs kept because they once failed need none.
TEST(ReaderCorpus, EveryInputReadsToWholeTracks)
{
    const QDir dir(QStringLiteral(QUILLORY_SOURCE_DIR "/tests/corpus/reader"));
    const QStringList files = dir.entryList({QStringLiteral("*.hex")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray hex;
        QList<QByteArray> expect;
        for (const QByteArray &raw : file.readAll().split('\n')) {
            const QList<QByteArray> words = raw.simplified().split(' ');
            if (words.size() == 4 && words[0] == "#" && words[1] == "expect:")
                expect = words.mid(2);
            if (!raw.trimmed().startsWith('#'))
                hex += raw.trimmed();
        }
        const QByteArray bytes = QByteArray::fromHex(hex);
        ASSERT_FALSE(bytes.isEmpty());
        iPod pod;
        const iPod::ReadOutcome outcome = pod.readDatabase(bytes);
        expectWholeTracks(pod);
        EXPECT_EQ(outcome == iPod::ReadOutcome::Complete, pod.dbloaded());
        if (!expect.isEmpty()) {
            EXPECT_EQ(outcome == iPod::ReadOutcome::Complete, expect[0] == "complete");
            EXPECT_EQ(outcome == iPod::ReadOutcome::Stopped, expect[0] == "stopped");
            EXPECT_EQ(pod.songsstored(), expect[1].toInt());
        }
    }
}

}  // namespace
