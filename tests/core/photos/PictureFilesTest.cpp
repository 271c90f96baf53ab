#include "core/photos/PictureFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace Qt::StringLiterals;

TEST(PictureFiles, PatternsMatchWithoutRegardToCase)
{
    for (const QString &name : {u"Mixed.JpG"_s, u"SCAN.BMP"_s})
        EXPECT_TRUE(matchesFilePattern(name, pictureFilePattern())) << qPrintable(name);
    for (const QString &name : {u"jpg"_s, u"x.jpg.txt"_s, u"x.jpeg"_s})
        EXPECT_FALSE(matchesFilePattern(name, pictureFilePattern())) << qPrintable(name);
    EXPECT_TRUE(matchesFilePattern(u"song.mp3"_s, u"*.wav; *.MP3"_s));
    EXPECT_TRUE(matchesFilePattern(u"S1.wav"_s, u"S?.wav"_s));
    EXPECT_FALSE(matchesFilePattern(u"S12.wav"_s, u"S?.wav"_s));
    EXPECT_FALSE(matchesFilePattern(u"a.jpg"_s, QString()));
}

TEST(PictureFiles, ListsMatchingFilesOnlySortedWithoutRegardToCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QString &name :
         {u"SUNSET.JPG"_s, u"harbour.jpg"_s, u"PALETTE.BMP"_s, u"notes.png"_s, u"readme.txt"_s, u".hidden.jpg"_s}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder.jpg"_s));
    // A pipe would block whoever opened it: it is not listed.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath(u"pipe.jpg"_s)).constData(), 0600), 0);

    EXPECT_EQ(listFiles(dir.path(), pictureFilePattern()),
              (QStringList{u"harbour.jpg"_s, u"PALETTE.BMP"_s, u"SUNSET.JPG"_s}));
    EXPECT_TRUE(listFiles(dir.filePath(u"missing"_s), pictureFilePattern()).isEmpty());
    // No folder at all lists nothing, not the current folder.
    EXPECT_TRUE(listFiles(QString(), u"*"_s).isEmpty());
}

}  // namespace
