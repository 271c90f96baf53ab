#include "Form1Fixture.h"

#include "gui/stats/frmStats.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

// The search button walks the matches of the box's text; the walk itself is the core's.
TEST_F(Form1Test, SearchButtonSearchesForTheBoxText)
{
    openConnected(12);
    QTest::keyClicks(child<QLineEdit>("Text4"), u"SONG 1"_s);
    QList<int> tops;
    for (int press = 0; press < 2; ++press) {
        QTest::mouseClick(child<QPushButton>("Command3"), Qt::LeftButton);
        tops << grid().topRow();
    }
    EXPECT_EQ(tops, QList<int>({1, 10}));
}

TEST_F(Form1Test, StatisticsOpenOnceAndComputeAgainAfterExitAndHtmlOpensWhatItWrote)
{
    openConnected(6);
    child<QAction>("mnustatistics")->trigger();
    frmStats *form = window->statsWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->reportText().contains(u"Total Songs:  6"_s));
    EXPECT_EQ(window->list2().size(), 3);

    // Print through the window's printer service.
    messages.answers = {MessageAnswer::Yes};
    form->findChild<QPushButton *>(u"Command2"_s)->click();
    EXPECT_EQ(printService.asked, QStringList{form->reportText()});

    // Open again: the same report, not computed again; after Exit it is.
    child<QAction>("mnustatistics")->trigger();
    EXPECT_EQ(window->statsWindow(), form);
    EXPECT_EQ(statusTexts.count(u"Stats complete..."_s), 1);
    form->findChild<QPushButton *>(u"Command1"_s)->click();
    EXPECT_EQ(window->statsWindow(), nullptr);
    child<QAction>("mnustatistics")->trigger();
    ASSERT_NE(window->statsWindow(), nullptr);
    EXPECT_EQ(statusTexts.count(u"Stats complete..."_s), 2);
    EXPECT_EQ(window->list2().size(), 3) << "the unique-artist list keeps its lines";

    // Create HTML writes where the file dialog says and opens the file.
    const std::size_t shown = messages.shown.size();
    QTemporaryDir out;
    fileDialog.answer = out.filePath(u"songs"_s);
    child<QAction>("mnucreatehtml")->trigger();
    EXPECT_EQ(urlOpener.opened, QStringList{out.filePath(u"songs.html"_s)});
    EXPECT_TRUE(readFile(out.filePath(u"songs.html"_s)).contains("Song 6"));
    EXPECT_EQ(messages.shown.size(), shown);
}

}  // namespace
