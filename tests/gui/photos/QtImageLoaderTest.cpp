#include "gui/photos/QtImageLoader.h"
#include "CopyTestSupport.h"
#include "PhotoTestSupport.h"

#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

class QtImageLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(QtImageLoaderTest, DecodesJpegAndBmpAndTurnsTurnedPhotosUpright)
{
    writePicture(path(u"a.bmp"_s), 30, 20);
    EXPECT_EQ(QtImageLoader::decode(path(u"a.bmp"_s)).size(), QSize(30, 20));

    // A phone held upright writes a landscape picture and an EXIF note to turn it.
    QImage landscape(200, 100, QImage::Format_RGB32);
    landscape.fill(Qt::blue);
    QImageWriter writer(path(u"phone.jpg"_s), "jpeg");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(landscape));
    EXPECT_EQ(QtImageLoader::decode(path(u"phone.jpg"_s)).size(), QSize(100, 200));
}

TEST_F(QtImageLoaderTest, RefusesWhatIsNoPictureOrTooLarge)
{
    writeBytes(path(u"text.jpg"_s), "these are not the pixels you are looking for\r\n");
    EXPECT_TRUE(QtImageLoader::decode(path(u"text.jpg"_s)).isNull());

    // A header that claims 60000 x 60000 pixels (over 13 GB decoded) is refused before decoding.
    writeBytes(path(u"huge.bmp"_s), forgedBmp(60000, 60000));
    EXPECT_TRUE(QtImageLoader::decode(path(u"huge.bmp"_s)).isNull());
    // Just within the bound it decodes (from the few bytes there are).
    writeBytes(path(u"fits.bmp"_s), forgedBmp(64, 64));
    EXPECT_EQ(QtImageLoader::decode(path(u"fits.bmp"_s)).size(), QSize(64, 64));

    // A file larger than the bound is not read (a sparse file costs no disk).
    QFile big(path(u"big.jpg"_s));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(QtImageLoader::ByteLimit + 1));
    big.close();
    EXPECT_TRUE(QtImageLoader::decode(path(u"big.jpg"_s)).isNull());
}

TEST_F(QtImageLoaderTest, PipeIsRefusedWithoutWaitingForAWriter)
{
    const QByteArray fifo = QFile::encodeName(path(u"pipe.jpg"_s));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    auto decoded = std::async(std::launch::async, [this] { return QtImageLoader::decode(path(u"pipe.jpg"_s)); });
    const bool returned = decoded.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!returned) {
        // Let the blocked reader go before failing.
        const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    EXPECT_TRUE(returned);
    EXPECT_TRUE(decoded.get().isNull());
}

}  // namespace
