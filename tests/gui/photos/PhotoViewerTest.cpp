#include "gui/photos/PhotoViewer.h"
#include "CopyTestSupport.h"
#include "PhotoTestSupport.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PictureBox.h"
#include "gui/photos/QtImageLoader.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTreeView>

#include <gtest/gtest.h>

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

TEST_F(PhotoViewerTest, ListsJpegAndBmpOnlyAndShowsThePictureFittedAndCentred)
{
    writePicture(path(u"WIDE.JPG"_s), 640, 480);
    writePicture(path(u"tall.bmp"_s), 480, 640, Qt::blue);
    writePicture(path(u"other.png"_s), 40, 30);
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

TEST_F(PhotoViewerTest, WhatCannotBeShownGivesNoPreviewCentred)
{
    writePicture(path(u"good.jpg"_s), 64, 48);
    writeBytes(path(u"broken.jpg"_s), "not a picture at all");
    viewer.setDir1Path(photos.path());

    clickFile(u"good.jpg"_s);
    ASSERT_FALSE(viewer.Picture1().isNull());
    clickFile(u"broken.jpg"_s);
    EXPECT_TRUE(viewer.Picture1().isNull());
    EXPECT_TRUE(picture2->showsNoPreview());
    EXPECT_FALSE(picture2->placement());
    const QFontMetricsF metrics(picture2->font());
    const QPointF origin = picture2->noPreviewOrigin();
    EXPECT_DOUBLE_EQ(origin.x(), 132 - metrics.horizontalAdvance(u"No Preview Available"_s) / 2);
    EXPECT_DOUBLE_EQ(origin.y(), 110 - metrics.height() / 2);
}

TEST_F(PhotoViewerTest, OnlyTheLastPictureAskedForIsShown)
{
    writePicture(path(u"first.jpg"_s), 300, 100);
    writePicture(path(u"second.bmp"_s), 50, 100);
    QSignalSpy viewed(&viewer, &PhotoViewer::viewed);
    viewer.ViewImage(path(u"first.jpg"_s));
    viewer.ViewImage(path(u"second.bmp"_s));
    ASSERT_TRUE(viewed.wait(5000));
    QTest::qWait(200);
    EXPECT_EQ(viewed.size(), 1);
    EXPECT_EQ(viewer.Picture1().size(), QSize(50, 100));
}

}  // namespace
