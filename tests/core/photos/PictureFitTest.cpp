// The picture's placement in the viewer and the listing of picture files.
#include "core/photos/PictureFit.h"
#include "core/photos/PictureFiles.h"

#include "CopyTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cmath>
#include <ostream>

void PrintTo(const PicturePlacement &p, std::ostream *out)
{
    *out << p.width << " x " << p.height << " at " << p.left << ", " << p.top;
}

namespace {

TEST(PictureFit, WidthOrHeightLimitsHalvesGoToEvenBadSizesFailAndTextIsCentred)
{
    const struct
    {
        int targetW, targetH, imgW, imgH;
        std::optional<PicturePlacement> placement;
    } cases[] = {
        // 3000 / 4000 x 3000 = 2250 < 3300: the width limits.
        {3000, 3300, 4000, 3000, PicturePlacement{0, 525, 3000, 2250}},
        // Wider than the box: full width, centred vertically.
        {264, 220, 640, 480, PicturePlacement{0, 11, 264, 198}},
        // Taller than the box: full height, centred across with the half unit kept.
        {264, 220, 480, 640, PicturePlacement{49.5f, 0, 165, 220}},
        // Smaller than the box: enlarged until one side fills it.
        {264, 220, 10, 20, PicturePlacement{77, 0, 110, 220}},
        // The same proportions as the box: the height rule applies, the picture fills it.
        {300, 330, 100, 110, PicturePlacement{0, 0, 300, 330}},
        // 2.5 x 1 and 2.5 x 3: halves go to the even neighbour.
        {5, 100, 2, 1, PicturePlacement{0, 49, 5, 2}},
        {5, 100, 2, 3, PicturePlacement{0, 46, 5, 8}},
        // 200 / 96 kept in single precision makes 186 rows 387.49998, not 387.5 (which would give 388).
        {200, 10000, 96, 186, PicturePlacement{0, 4806.5f, 200, 387}},
        // A box without room draws nothing, but is no failure; empty pictures and sizes out of range are.
        {0, 0, 40, 30, PicturePlacement{0, 0, 0, 0}},
        {264, 220, 100, 0, std::nullopt},
        {264, 220, -5, 100, std::nullopt},
        {INT_MAX, INT_MAX, 1, 1, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fitPicture(c.targetW, c.targetH, c.imgW, c.imgH), c.placement)
            << c.targetW << 'x' << c.targetH << " " << c.imgW << 'x' << c.imgH;

    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
    EXPECT_EQ(roundHalfEven(2147483647.4), INT_MAX);
    EXPECT_FALSE(roundHalfEven(2147483648.0));
    EXPECT_FALSE(roundHalfEven(std::nan("")));

    EXPECT_EQ(centredText(3000, 3300, 1200, 200), QPointF(900, 1550));
    EXPECT_EQ(centredText(261, 216, 100.5, 15), QPointF(80.25, 100.5));
}

using namespace Qt::StringLiterals;

TEST(PictureFiles, PatternsMatchAndListWithoutRegardToCase)
{
    for (const QString &name : {u"Mixed.JpG"_s, u"SCAN.BMP"_s})
        EXPECT_TRUE(matchesFilePattern(name, pictureFilePattern())) << qPrintable(name);
    for (const QString &name : {u"jpg"_s, u"x.jpg.txt"_s, u"x.jpeg"_s})
        EXPECT_FALSE(matchesFilePattern(name, pictureFilePattern())) << qPrintable(name);
    EXPECT_TRUE(matchesFilePattern(u"song.mp3"_s, u"*.wav; *.MP3"_s));
    EXPECT_TRUE(matchesFilePattern(u"S1.wav"_s, u"S?.wav"_s));
    EXPECT_FALSE(matchesFilePattern(u"S12.wav"_s, u"S?.wav"_s));
    EXPECT_FALSE(matchesFilePattern(u"a.jpg"_s, QString()));

    // Listed: matching files only, sorted without regard to case.
    QTemporaryDir dir;
    for (const QString &name :
         {u"SUNSET.JPG"_s, u"harbour.jpg"_s, u"PALETTE.BMP"_s, u"notes.png"_s, u"readme.txt"_s, u".hidden.jpg"_s})
        writeBytes(dir.filePath(name), {});
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
