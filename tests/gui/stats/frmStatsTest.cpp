#include "gui/stats/frmStats.h"

#include "CopyTestSupport.h"
#include "ReportDoubles.h"
#include "SongGridSupport.h"
#include "core/stats/StatsReport.h"
#include "gui/common/QtPrintService.h"

#include <QApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Accepts or rejects the print dialog once it is shown; true when one was.
class PrintDialogAnswer
{
public:
    explicit PrintDialogAnswer(bool accept)
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this, accept] {
            if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                m_poll.stop();
                m_seen = true;
                accept ? dialog->accept() : dialog->reject();
            }
        });
        m_poll.start(10);
    }
    bool seen() const { return m_seen; }

private:
    QTimer m_poll;
    bool m_seen = false;
};

class frmStatsTest : public ::testing::Test
{
protected:
    std::unique_ptr<frmStats> load(SongLibrary &library)
    {
        auto form = std::make_unique<frmStats>(messages, printer);
        form->Form_Load({.songs = library.songs,
                         .grid = *library.grid,
                         .totalMinutes = library.total.Text2,
                         .infoFrameCaption = u" Pocket "_s},
                        List2, progress);
        form->show();
        return form;
    }

    QTemporaryDir dir;
    ScriptedMessages messages;
    QtPrintService printer;
    QStringList List2;
    RecordingSink progress;
    SongLibrary lib{{{.title = u"Tune"_s, .length = u"4:05"_s, .artist = u"Blue Cats"_s, .album = u"First"_s},
                     {.title = u"Brief"_s, .length = u"0:30"_s, .artist = u"BLUE CATS"_s, .album = u"Second"_s}}};
};

// A cancelled print dialog prints nothing; an accepted one prints the report to the chosen printer.
TEST_F(frmStatsTest, PrintsTheReportToTheChosenPrinterOnlyWhenTheDialogIsAccepted)
{
    const auto form = load(lib);
    const QString pdf = dir.filePath(u"stats.pdf"_s);
    printer.setPdfOutput(pdf);
    for (const bool accept : {false, true}) {
        messages.answers = {MessageAnswer::Yes};
        PrintDialogAnswer answer(accept);
        form->findChild<QPushButton *>(u"Command2"_s)->click();
        EXPECT_TRUE(answer.seen());
        EXPECT_EQ(QFileInfo::exists(pdf), accept);
    }
    EXPECT_EQ(messages.texts(), texts(u"Print Stats Now?|Print Stats Now?|Done Printing..."));

    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the printed text is not read back";
    QProcess extract;
    extract.start(pdftotext, {pdf, u"-"_s});
    ASSERT_TRUE(extract.waitForFinished(30'000));
    const QString printed = QString::fromUtf8(extract.readAllStandardOutput()).simplified();
    EXPECT_TRUE(printed.contains(u"Tune by Blue Cats, 4:05 long on the First album."_s)) << printed.toStdString();
}

TEST_F(frmStatsTest, ReportThatEndsEarlyShowsErrorAndKeepsTheTextHidden)
{
    SongLibrary empty({});
    const auto form = load(empty);
    EXPECT_TRUE(form->isVisible()) << "the window still opens";
    EXPECT_FALSE(form->findChild<QPlainTextEdit *>(u"stats"_s)->isVisible());
    EXPECT_EQ(messages.texts(), QStringList{u"Error!"_s});
}

}  // namespace
