#include "gui/photos/PhotoViewer.h"
#include "CopyTestSupport.h"
#include "PhotoTestSupport.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PictureBox.h"
#include "gui/photos/QtImageLoader.h"

#include <QImageWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTreeView>

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

// The viewer on its own: a folder list, a file list whose clicks show the
// selected picture, and a box whose inside is 264 x 220 pixels, loading
// through the real loader.
class PhotoViewerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(photos.isValid());
        form.resize(700, 300);
        file1->setGeometry(0, 0, 200, 300);
        const int frame = picture2->frameWidth();
        picture2->setGeometry(300, 0, 264 + 2 * frame, 220 + 2 * frame);
        ASSERT_EQ(picture2->targetSize(), QSize(264, 220));
        QObject::connect(&viewer, &PhotoViewer::statusText, [this](const QString &text) { status.append(text); });
        // The loader decodes on a worker but hands the picture over on the window's thread.
        QObject::connect(&viewer, &PhotoViewer::viewed, [] { EXPECT_EQ(QThread::currentThread(), qApp->thread()); });
        // As the main window does outside help mode.
        QObject::connect(file1, &FileListBox::click, &viewer, &PhotoViewer::showSelectedPicture);
        form.show();
    }

    QString path(const QString &name) const { return photos.filePath(name); }

    // Clicks the file list's entry of that name and waits for the box to show it.
    void clickFile(const QString &name)
    {
        const int row = static_cast<int>(viewer.file1Names().indexOf(name));
        ASSERT_GE(row, 0) << qPrintable(name);
        QSignalSpy viewed(&viewer, &PhotoViewer::viewed);
        const QRect entry = file1->visualRect(file1->model()->index(row, 0));
        QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, entry.center());
        ASSERT_TRUE(viewed.wait(5000));
    }

    // The colour drawn at a point inside the box.
    QColor shown(int x, int y) const
    {
        const QPoint inside = picture2->contentsRect().topLeft();
        return picture2->grab().toImage().pixelColor(inside + QPoint(x, y));
    }

    static bool reddish(QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }

    QTemporaryDir photos;
    QWidget form;
    QTreeView *dir1 = new QTreeView(&form);
    FileListBox *file1 = new FileListBox(&form);
    PictureBox *picture2 = new PictureBox(&form);
    QtImageLoader loader;
    PhotoViewer viewer{dir1, file1, picture2, &loader};
    QStringList status;
};

TEST_F(PhotoViewerTest, ListsThePicturesAndShowsTheClickedOneFittedAndCentred)
{
    writePicture(path(u"WIDE.JPG"_s), 640, 480);
    writePicture(path(u"tall.bmp"_s), 480, 640, Qt::blue);
    viewer.setDir1Path(photos.path());
    EXPECT_EQ(viewer.file1Names(), (QStringList{u"tall.bmp"_s, u"WIDE.JPG"_s}));

    clickFile(u"WIDE.JPG"_s);
    EXPECT_EQ(status, (QStringList{u"Getting Picture.."_s, u"Picture loaded.."_s}));
    EXPECT_EQ(viewer.Picture1().size(), QSize(640, 480));
    EXPECT_EQ(picture2->placement(), (PicturePlacement{0, 11, 264, 198}));
    // Drawn across the middle, the bands above and below left empty.
    EXPECT_TRUE(reddish(shown(132, 110)));
    EXPECT_TRUE(reddish(shown(2, 14)));
    EXPECT_FALSE(reddish(shown(132, 5)));
    EXPECT_FALSE(reddish(shown(132, 215)));

    // The keyboard moves on to the other picture, which is taller than the box.
    QSignalSpy viewed(&viewer, &PhotoViewer::viewed);
    QTest::keyClick(file1, Qt::Key_Up);
    ASSERT_TRUE(viewed.wait(5000));
    EXPECT_EQ(viewer.Picture1().size(), QSize(480, 640));
    EXPECT_EQ(picture2->placement(), (PicturePlacement{49.5f, 0, 165, 220}));
    EXPECT_FALSE(reddish(shown(132, 110)));

    // A larger box fits the kept picture afresh.
    const int frame = picture2->frameWidth();
    picture2->resize(400 + 2 * frame, 220 + 2 * frame);
    EXPECT_EQ(picture2->placement(), (PicturePlacement{117.5f, 0, 165, 220}));
}

// Of two pictures asked for in a row only the last is shown; what cannot be
// shown gives "No Preview Available", centred.
TEST_F(PhotoViewerTest, OnlyTheLastPictureAskedForIsShownAndWhatCannotBeGivesNoPreview)
{
    writePicture(path(u"good.jpg"_s), 300, 100);
    writeBytes(path(u"broken.jpg"_s), "not a picture at all");
    viewer.setDir1Path(photos.path());
    clickFile(u"good.jpg"_s);
    ASSERT_FALSE(viewer.Picture1().isNull());

    QSignalSpy viewed(&viewer, &PhotoViewer::viewed);
    viewer.ViewImage(path(u"good.jpg"_s));
    viewer.ViewImage(path(u"broken.jpg"_s));
    ASSERT_TRUE(viewed.wait(5000));
    QTest::qWait(200);
    EXPECT_EQ(viewed.size(), 1);
    EXPECT_TRUE(viewer.Picture1().isNull());
    EXPECT_TRUE(picture2->showsNoPreview());
    EXPECT_FALSE(picture2->placement());
    const QFontMetricsF metrics(picture2->font());
    const QPointF origin = picture2->noPreviewOrigin();
    EXPECT_DOUBLE_EQ(origin.x(), 132 - metrics.horizontalAdvance(u"No Preview Available"_s) / 2);
    EXPECT_DOUBLE_EQ(origin.y(), 110 - metrics.height() / 2);
}

// The loader behind the viewer decodes JPEG and BMP, turns phone photos upright
// by their EXIF note, and refuses what is no picture, too large, or a pipe.
TEST_F(PhotoViewerTest, LoaderTurnsPhotosUprightAndRefusesWhatIsNoPictureOrTooLarge)
{
    // A phone held upright writes a landscape picture and an EXIF note to turn it.
    QImage landscape(200, 100, QImage::Format_RGB32);
    landscape.fill(Qt::blue);
    QImageWriter writer(path(u"phone.jpg"_s), "jpeg");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(landscape));
    EXPECT_EQ(QtImageLoader::decode(path(u"phone.jpg"_s)).size(), QSize(100, 200));

    // A header that claims 60000 x 60000 pixels (over 13 GB decoded) is refused
    // before decoding; a small one decodes from the few bytes there are.
    writeBytes(path(u"huge.bmp"_s), forgedBmp(60000, 60000));
    EXPECT_TRUE(QtImageLoader::decode(path(u"huge.bmp"_s)).isNull());
    writeBytes(path(u"fits.bmp"_s), forgedBmp(64, 64));
    EXPECT_EQ(QtImageLoader::decode(path(u"fits.bmp"_s)).size(), QSize(64, 64));

    // A file larger than the bound is not read (a sparse file costs no disk).
    QFile big(path(u"big.jpg"_s));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(QtImageLoader::ByteLimit + 1));
    big.close();
    EXPECT_TRUE(QtImageLoader::decode(path(u"big.jpg"_s)).isNull());

    // A pipe is refused without waiting for a writer.
    const QByteArray fifo = QFile::encodeName(path(u"pipe.jpg"_s));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    auto decoded = std::async(std::launch::async, [this] { return QtImageLoader::decode(path(u"pipe.jpg"_s)); });
    const bool returned = decoded.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!returned) {
        // Let the blocked reader go before failing.
        const int blocked = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (blocked >= 0)
            ::close(blocked);
    }
    EXPECT_TRUE(returned);
    EXPECT_TRUE(decoded.get().isNull());
}

}  // namespace
