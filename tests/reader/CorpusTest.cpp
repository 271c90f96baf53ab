#include "ReaderTestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// A corpus file: hex digits, with "#" lines for comments. A comment
// "# expect: complete N" or "# expect: stopped N" gives the outcome and the
// number of whole tracks; inputs kept because they once failed need none.
struct CorpusInput
{
    QByteArray bytes;
    std::optional<iPod::ReadOutcome> outcome;
    int tracks = 0;
};

CorpusInput load(const QString &path)
{
    QFile file(path);
    CorpusInput input;
    if (!file.open(QIODevice::ReadOnly))
        return input;
    QByteArray hex;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() == 4 && words[0] == "#" && words[1] == "expect:") {
            input.outcome = words[2] == "complete" ? iPod::ReadOutcome::Complete : iPod::ReadOutcome::Stopped;
            input.tracks = words[3].toInt();
        }
        if (!line.startsWith('#'))
            hex += line;
    }
    input.bytes = QByteArray::fromHex(hex);
    return input;
}

TEST(ReaderCorpus, EveryInputReadsToWholeTracks)
{
    const QDir dir(QStringLiteral(QUILLORY_SOURCE_DIR "/tests/corpus/reader"));
    const QStringList files = dir.entryList({QStringLiteral("*.hex")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        const CorpusInput input = load(dir.filePath(name));
        ASSERT_FALSE(input.bytes.isEmpty());
        iPod pod;
        const iPod::ReadOutcome outcome = pod.readDatabase(input.bytes);
        expectWholeTracks(pod);
        EXPECT_EQ(outcome == iPod::ReadOutcome::Complete, pod.dbloaded());
        if (input.outcome) {
            EXPECT_EQ(outcome, *input.outcome);
            EXPECT_EQ(pod.songsstored(), input.tracks);
        }
    }
}

}  // namespace
