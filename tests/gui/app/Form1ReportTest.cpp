#include "Form1Fixture.h"

#include "gui/stats/frmStats.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

TEST_F(Form1Test, SearchButtonFindsMatchAfterMatchAndStartsOver)
{
    openConnected(12);
    auto *box = child<QLineEdit>("Text4");
    auto *button = child<QPushButton>("Command3");
    QTest::keyClicks(box, u"SONG 1"_s);

    const int rowBefore = grid().row();
    QList<int> tops;
    for (int press = 0; press < 6; ++press) {
        QTest::mouseClick(button, Qt::LeftButton);
        tops << grid().topRow();
    }
    // Song 1, 10, 11, 12; then the walk runs out (row 1 on top); then it starts over.
    EXPECT_EQ(tops, QList<int>({1, 10, 11, 12, 1, 1}));
    EXPECT_EQ(statusTexts.mid(statusTexts.size() - 2),
              texts(u"Searching!.. Click Search For Next Match!|Search over..!"));
    EXPECT_EQ(grid().row(), rowBefore);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(grid().topRow(), 10);
}

TEST_F(Form1Test, ReportsAskForTheConnectionFirst)
{
    Form1 &w = open(std::nullopt);
    child<QAction>("mnustatistics")->trigger();
    child<QAction>("mnucreatehtml")->trigger();
    EXPECT_EQ(messages.texts(), texts(u"Connect First...|Connect First..."));
    EXPECT_EQ(w.statsWindow(), nullptr);
    EXPECT_TRUE(fileDialog.filters.isEmpty());
}

TEST_F(Form1Test, StatisticsOpenOnceAndComputeAgainAfterExit)
{
    openConnected(6);
    child<QAction>("mnustatistics")->trigger();
    frmStats *form = window->statsWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->windowTitle().startsWith(u"Stats for: "_s));
    EXPECT_EQ(form->reportText().split(u'\n').mid(10, 3),
              texts(u"Total Songs:  6|Total Play Time:  0 Days|Unique Artist:  3"));
    EXPECT_EQ(statusTexts.last(), u"Stats complete..."_s);
    EXPECT_EQ(child<QProgressBar>("PBar")->value(), 0);
    EXPECT_EQ(window->list2(), texts(u"ARTIST:  Artist 0|ARTIST:  Artist 1|ARTIST:  Artist 2"));
    EXPECT_TRUE(messages.shown.empty());

    // Print through the window's printer service.
    messages.answers = {MessageAnswer::Yes};
    form->findChild<QPushButton *>(u"Command2"_s)->click();
    ASSERT_EQ(printService.asked.size(), 1);
    EXPECT_EQ(printService.asked[0], form->reportText());

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
}

TEST_F(Form1Test, CreateHtmlWritesTheGridAndOpensIt)
{
    openConnected(6);
    QTemporaryDir out;
    fileDialog.answer = out.filePath(u"songs"_s);
    child<QAction>("mnucreatehtml")->trigger();
    const QString path = out.filePath(u"songs.html"_s);
    EXPECT_EQ(urlOpener.opened, QStringList{path});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 1 + 12 + 6 * 11 + 1);
    EXPECT_EQ(statusTexts.mid(statusTexts.size() - 3),
              texts(u"Please wait while HTML file is created...|"
                    u"HTML file is created... Loading into Browser to view|Finished.."));
    EXPECT_EQ(child<QProgressBar>("PBar")->value(), 0);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
