#include "Form1Fixture.h"
#include "PhotoTestSupport.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PhotoViewer.h"

#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTreeView>

namespace {

// Connect points the photo viewer at the player's photos folder, whatever
// the case of its name; a click shows a picture, and a folder activated in the folder list is listed.
TEST_F(Form1Test, ConnectListsThePlayersPicturesAndAClickShowsOne)
{
    const QDir photos(playerDir.filePath(u"Photos"_s));
    ASSERT_TRUE(photos.mkpath(u"More"_s));
    writePicture(photos.filePath(u"HOLIDAY.JPG"_s), 40, 30);
    writePicture(photos.filePath(u"More/inner.jpg"_s), 20, 20);
    Form1 &w = openConnected(2);
    EXPECT_EQ(w.photos().dir1Path(), photos.path());
    EXPECT_EQ(w.photos().file1Names(), QStringList{u"HOLIDAY.JPG"_s});
    // A click on the file list shows that picture.
    QSignalSpy viewed(&w.photos(), &PhotoViewer::viewed);
    auto *list = child<FileListBox>("File1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    ASSERT_TRUE(viewed.wait(5000));
    EXPECT_EQ(w.photos().Picture1().size(), QSize(40, 30));

    auto *folders = child<QTreeView>("Dir1");
    auto *model = qobject_cast<QFileSystemModel *>(folders->model());
    ASSERT_NE(model, nullptr);
    emit folders->activated(model->index(photos.filePath(u"More"_s)));
    EXPECT_EQ(w.photos().file1Names(), QStringList{u"inner.jpg"_s});
}

}  // namespace
