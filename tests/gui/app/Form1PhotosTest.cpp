#include "Form1Fixture.h"
#include "PhotoTestSupport.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PhotoViewer.h"
#include "gui/photos/PictureBox.h"

#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTreeView>

namespace {

// The photo viewer inside the main window: Connect points it at the player's
// photos, a click shows one, and in help mode its controls show their help.
class Form1PhotosTest : public Form1Test
{
protected:
    Form1 &connectWithPhotos()
    {
        const QDir photos(playerDir.filePath(u"Photos"_s));
        EXPECT_TRUE(photos.mkpath(u"."_s));
        writePicture(photos.filePath(u"HOLIDAY.JPG"_s), 400, 300);
        writePicture(photos.filePath(u"scan.bmp"_s), 100, 200);
        writePicture(photos.filePath(u"cover.png"_s), 50, 50);
        return openConnected(2);
    }

    // Clicks the file list's entry at that row.
    void clickFile(int row)
    {
        auto *list = child<FileListBox>("File1");
        const QRect entry = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    }
};

TEST_F(Form1PhotosTest, ConnectListsThePlayersPicturesAndAClickShowsOne)
{
    Form1 &w = connectWithPhotos();
    // The photos folder is found whatever the case of its name.
    EXPECT_EQ(w.photos().dir1Path(), playerDir.filePath(u"Photos"_s));
    EXPECT_EQ(w.photos().file1Names(), (QStringList{u"HOLIDAY.JPG"_s, u"scan.bmp"_s}));
    EXPECT_TRUE(child<FileListBox>("File1")->isEnabled());
    EXPECT_TRUE(child<QTreeView>("Dir1")->isEnabled());

    statusTexts.clear();
    QSignalSpy viewed(&w.photos(), &PhotoViewer::viewed);
    clickFile(0);
    ASSERT_TRUE(viewed.wait(5000));
    EXPECT_EQ(statusTexts, texts(u"Getting Picture..|Picture loaded.."));
    EXPECT_EQ(w.statusText(), u"Picture loaded.."_s);
    EXPECT_EQ(w.photos().Picture1().size(), QSize(400, 300));
    const std::optional<PicturePlacement> at = child<PictureBox>("Picture2")->placement();
    ASSERT_TRUE(at);
    EXPECT_EQ(at->width, child<PictureBox>("Picture2")->targetSize().width());
}

TEST_F(Form1PhotosTest, InHelpModeThePhotoControlsShowTheirSectionsAndLoadNothing)
{
    writeHelp("HID:27\r\nfolders\r\nHIDOVER:\r\nHID:28\r\nfiles\r\nHIDOVER:\r\nHID:29\r\nbox\r\nHIDOVER:\r\n");
    Form1 &w = connectWithPhotos();
    statusTexts.clear();
    QSignalSpy viewed(&w.photos(), &PhotoViewer::viewed);

    enterHelpMode();
    clickFile(1);
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->helpText(), u"files\n"_s);
    EXPECT_FALSE(w.helpMode());

    enterHelpMode();
    auto *folders = child<QTreeView>("Dir1");
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(helpWindow()->helpText(), u"folders\n"_s);

    enterHelpMode();
    QTest::mouseClick(child<PictureBox>("Picture2"), Qt::LeftButton);
    EXPECT_EQ(helpWindow()->helpText(), u"box\n"_s);
    EXPECT_FALSE(w.helpMode());

    QTest::qWait(100);
    EXPECT_EQ(viewed.size(), 0);
    EXPECT_TRUE(statusTexts.isEmpty());
    EXPECT_TRUE(w.photos().Picture1().isNull());
    EXPECT_EQ(w.photos().dir1Path(), playerDir.filePath(u"Photos"_s));

    // Out of help mode the box does nothing when clicked.
    QTest::mouseClick(child<PictureBox>("Picture2"), Qt::LeftButton);
    EXPECT_EQ(helpWindow()->helpText(), u"box\n"_s);
}

TEST_F(Form1PhotosTest, AFolderActivatedInTheFolderListIsListed)
{
    Form1 &w = connectWithPhotos();
    const QDir more(playerDir.filePath(u"Photos/More"_s));
    ASSERT_TRUE(more.mkpath(u"."_s));
    writePicture(more.filePath(u"inner.jpg"_s), 20, 20);
    auto *folders = child<QTreeView>("Dir1");
    auto *model = qobject_cast<QFileSystemModel *>(folders->model());
    ASSERT_NE(model, nullptr);
    emit folders->activated(model->index(more.path()));
    EXPECT_EQ(w.photos().dir1Path(), more.path());
    EXPECT_EQ(w.photos().file1Names(), QStringList{u"inner.jpg"_s});
}

}  // namespace
