#include "gui/help/modBallon.h"

#include <QHelpEvent>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// What each control's balloon says: its title, then its lines.
const std::vector<std::pair<QString, QString>> expectedTips = {
    {u"Text4"_s,
     u"Search Box!\nType the song or search criteria you would like to find.\nClick the search button when finished."_s},
    {u"Command3"_s,
     u"Search Button!\nClick this button when you have entered the\nsearch criteria in the box to the right."_s},
    {u"PBar"_s,
     u"Progress Bar!\nThis bar will keep you up to date on\nthings such as copying files and getting statistics."_s},
    {u"HScroll4"_s,
     u"Volume Bar!\nThis scrollbar controls the volume of\nof your song while the song is being played."_s},
    {u"FGrid"_s, u"Song Grid!\nSpace bar will tag and untag files.\nUse right click for more options."_s},
    {u"Picture2"_s, u"Picture Box!\nYou pictures are displayed here.\nSelect pictures from directory to the left."_s},
    {u"Dir1"_s,
     u"Directory Box!\nYou select the directory where your pictures are stored.\nThis directory is located on your iPod."_s},
    {u"File1"_s, u"File Box!\nYou select the picture you want displayed in the box to the right."_s},
    {u"RBox1"_s, u"Information Box!\nThis is information taken from your iPod."_s},
    {u"Command1"_s,
     u"Connect Button!\nClick button to connect to your iPod.\nYou must have the iPod cabled up to the computer first."_s},
    {u"Text5"_s, u"Connect Label!\nClick the Connect Button above."_s},
    {u"Check1"_s, u"Continuous Play!\nCheck to play songs contiuously.\nUncheck to play single song."_s},
};

QString plainText(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    // The icon is an image character in front of the title.
    return document.toPlainText().remove(QChar::ObjectReplacementCharacter).trimmed();
}

class modBallonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        int y = 0;
        for (const auto &[name, text] : expectedTips) {
            auto *control = new QWidget(&form);
            control->setObjectName(name);
            control->setGeometry(0, y, 100, 20);
            y += 22;
        }
        other->setObjectName(u"Label1"_s);
        form.resize(120, y + 30);
        form.show();
    }

    QWidget *control(const QString &name) const { return form.findChild<QWidget *>(name); }

    QWidget form;
    QWidget *other = new QWidget(&form);
};

TEST_F(modBallonTest, TwelveTipsWithIconBoldTitleAndTheirLines)
{
    definebaloonhelp(&form);
    for (const auto &[name, text] : expectedTips) {
        const QString tip = control(name)->toolTip();
        EXPECT_EQ(plainText(tip), text) << qPrintable(name);
        const QString title = text.section(QLatin1Char('\n'), 0, 0);
        EXPECT_TRUE(tip.contains(u"<b>"_s + title + u"</b>"_s)) << qPrintable(name);
        EXPECT_TRUE(Qt::mightBeRichText(tip));
    }
    EXPECT_TRUE(other->toolTip().isEmpty());

    // The icon is a 16 x 16 picture carried inside the tip.
    const QRegularExpressionMatch icon =
        QRegularExpression(u"src=\"data:image/png;base64,([^\"]+)\""_s).match(control(u"HScroll4"_s)->toolTip());
    ASSERT_TRUE(icon.hasMatch());
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(QByteArray::fromBase64(icon.captured(1).toLatin1()), "PNG"));
    EXPECT_EQ(decoded.size(), QSize(16, 16));

    // Markup in a text is shown as text.
    createballoon(other, u"a < b\r\nc & d"_s, u"<i>Title</i>"_s);
    EXPECT_EQ(plainText(other->toolTip()), u"<i>Title</i>\na < b\nc & d"_s);
}

TEST_F(modBallonTest, RestingTheMouseShowsTheBalloon)
{
    QWidget *volume = control(u"HScroll4"_s);
    const auto rest = [volume] {
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));
        QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), volume->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(volume, &event);
    };
    definebaloonhelp(&form);
    rest();
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), volume->toolTip());

    killmyballoontips(&form);
    rest();
    EXPECT_FALSE(QToolTip::isVisible());
}

}  // namespace
