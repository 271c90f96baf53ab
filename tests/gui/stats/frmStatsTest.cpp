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

class frmStatsTest : public ::testing::Test
{
protected:
    // The form is a member here, not deleted when it closes.
    void load(SongLibrary &library)
    {
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        form.Form_Load({.songs = library.songs,
                        .grid = *library.grid,
                        .totalMinutes = library.total.Text2,
                        .infoFrameCaption = u" Pocket "_s},
                       List2, progress);
        form.show();
    }

    ScriptedMessages messages;
    QtPrintService printer;
    QStringList List2;
    RecordingSink progress;
    frmStats form{messages, printer};
};

// The real print dialog: cancelled, nothing is printed; accepted, the report
// goes to the chosen printer, here a PDF file that is read back.
TEST_F(frmStatsTest, PrintsTheReportToTheChosenPrinterOnlyWhenTheDialogIsAccepted)
{
    SongLibrary lib{{{.title = u"Tune"_s, .length = u"4:05"_s, .artist = u"Blue Cats"_s, .album = u"First"_s}}};
    load(lib);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"stats.pdf"_s);
    printer.setPdfOutput(pdf);
    for (const bool accept : {false, true}) {
        messages.answers = {MessageAnswer::Yes};
        bool seen = false;
        QTimer poll;  // answers the dialog once it shows
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                poll.stop();
                seen = true;
                accept ? dialog->accept() : dialog->reject();
            }
        });
        poll.start(10);
        form.findChild<QPushButton *>(u"Command2"_s)->click();
        EXPECT_TRUE(seen);
        EXPECT_EQ(QFileInfo::exists(pdf), accept);
    }

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
    load(empty);
    EXPECT_TRUE(form.isVisible()) << "the window still opens";
    EXPECT_FALSE(form.findChild<QPlainTextEdit *>(u"stats"_s)->isVisible());
    EXPECT_EQ(messages.texts(), QStringList{u"Error!"_s});
}

}  // namespace
