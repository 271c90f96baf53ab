#include "gui/export/ExportDialog.h"

#include "CopyTestSupport.h"
#include "ReportDoubles.h"
#include "core/copy/CopyStorage.h"
#include "core/grid/GridModel.h"

#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

using namespace Qt::StringLiterals;

namespace {

// Real copies; the second one waits until the test lets it go on, and the
// thread of every copy is kept.
class HeldStorage : public CopyStorage
{
public:
    CopyStorageResult copyToStorage(const CopyJob &job) override
    {
        threads.push_back(QThread::currentThread());
        if (++entered == 2)
            release.acquire();
        return real.copyToStorage(job);
    }
    CopyComparison compareWithStorage(const CopyJob &job) override { return real.compareWithStorage(job); }

    std::atomic<int> entered = 0;
    std::vector<QThread *> threads;  // read once the export has ended
    QSemaphore release;
    FileCopyStorage real;
};

QPushButton *button(QWidget &window, const QString &text)
{
    for (QPushButton *b : window.findChildren<QPushButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

TEST(ExportDialog, RunsOffTheMainThreadAndCancelLeavesOnlyWholeCopies)
{
    PlayerFolder player;
    std::vector<ExportSong> songs(5);
    for (int i = 0; i < 5; ++i) {
        ExportSong &s = songs[static_cast<std::size_t>(i)];
        s.title = u"Song %1"_s.arg(i + 1);
        s.artist = u"A"_s;
        s.album = u"X"_s;
        s.track = i + 1;
        s.location = player.addSong(u"F00"_s, u"S%1.MP3"_s.arg(i), 200'000);
    }
    ExportLibrary library;
    library.songCount = 5;
    library.song = [&](qsizetype i) { return songs[static_cast<std::size_t>(i)]; };
    library.fieldValues = [](qsizetype) { return QStringList(); };
    GridModel grid;
    HeldStorage storage;
    FakeUrlOpener opener;
    FakeFileDialog dialogs;
    ScriptedMessages messages;
    QTemporaryDir destination;
    ExportDialog dialog(library, grid, player.root(), {storage, nullptr, opener, dialogs, messages});
    dialog.show();

    dialog.findChild<QLineEdit *>(u"destination"_s)->setText(destination.path());
    dialog.findChild<QLineEdit *>(u"template"_s)->setText(u"{title}"_s);
    EXPECT_EQ(dialog.preview().value(1), QDir(destination.path()).filePath(u"Song 2.mp3"_s));
    dialog.findChild<QLineEdit *>(u"template"_s)->clear();

    QSignalSpy finished(&dialog, &ExportDialog::exportFinished);
    QTest::mouseClick(button(dialog, u"Export"_s), Qt::LeftButton);
    // The worker waits inside the second copy while the window takes the click.
    QTRY_COMPARE(storage.entered.load(), 2);
    EXPECT_TRUE(dialog.running());
    QTest::mouseClick(button(dialog, u"Cancel"_s), Qt::LeftButton);
    storage.release.release();
    ASSERT_TRUE(finished.wait(30'000));

    EXPECT_FALSE(dialog.running());
    ASSERT_EQ(storage.threads.size(), 2u);
    EXPECT_TRUE(std::ranges::none_of(storage.threads, [](QThread *t) { return t == QThread::currentThread(); }));
    EXPECT_TRUE(dialog.summary().startsWith(u"Cancelled"_s)) << dialog.summary().toStdString();
    QStringList files;
    QDirIterator it(destination.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(destination.path()).relativeFilePath(it.next());
    files.sort();
    EXPECT_EQ(files, (QStringList{u".quillory-export"_s, u"A/X/01 Song 1.mp3"_s, u"A/X/02 Song 2.mp3"_s}));
    EXPECT_EQ(readFile(destination.filePath(files[2])), player.bytes(songs[1].location));
    EXPECT_TRUE(button(dialog, u"Open Folder"_s)->isEnabled());
}

}  // namespace
