#include "Form1Fixture.h"

#include "gui/common/QtMessageService.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>
#include <QTimer>

namespace {

// Texts from the player that look like markup are shown as they are: in the
// now-playing label, in the grid's tooltips and in the frame captions.
TEST_F(Form1Test, PlayerTextsAreShownLiterallyNeverAsMarkup)
{
    itdb::Database db;
    itdb::Track song;
    song.title = u"<b>Bold</b> &amp; <img src=\"nowhere\">"_s;
    song.artist = u"<i>Artist</i>"_s;
    song.location = u":iPod_Control:Music:F00:S0.WAV"_s;
    song.lengthMs = 60000;
    db.tracks.push_back(song);
    writeFile(playerDir.filePath(u"iPod_Control/iTunes/iTunesDB"_s), itdb::write(db));
    writeFile(playerDir.filePath(u"iPod_Control/iTunes/DeviceInfo"_s), "xRock & Roll\tpod");
    open(playerDir.path());
    clickConnect();

    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(1, 2));
    auto *label = child<QLabel>("Label1");
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), u"Song:  "_s + song.title + u" - By:  "_s + song.artist);

    // A tooltip that is rich text, which shows the cell's text literally.
    const QString cell = grid().text(1, GridColumn::Title);
    const QString tip = grid().data(grid().index(0, GridColumn::Title), Qt::ToolTipRole).toString();
    EXPECT_TRUE(Qt::mightBeRichText(tip));
    QTextDocument shown;
    shown.setHtml(tip);
    EXPECT_EQ(shown.toPlainText(), cell);

    auto *frame = child<QGroupBox>("InfoFrame");
    EXPECT_TRUE(QKeySequence::mnemonic(frame->title()).isEmpty()) << frame->title().toStdString();
    EXPECT_EQ(frame->title().replace(u"&&"_s, u"&"_s), u" Rock & Roll\t "_s);
}

TEST(QtMessages, TheTextIsPlainText)
{
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    // Closes the box once it shows, after noting what it shows.
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible()) {
                format = box->textFormat();
                text = box->text();
                box->done(QMessageBox::Ok);
            }
        }
    });
    QtMessageService messages;
    EXPECT_EQ(messages.show(u"Cannot open <b>x</b>.mp3"_s, u"Quillory"_s), MessageAnswer::Ok);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(text, u"Cannot open <b>x</b>.mp3"_s);
}

}  // namespace
