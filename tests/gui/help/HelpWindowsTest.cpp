// The help window and the balloons over the controls.
#include "gui/help/frmhelp.h"
#include "gui/help/modBallon.h"

#include "core/help/BalloonTips.h"
#include "core/help/HelpText.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// How many screen lines each text line takes in the window.
QList<int> shownLines(const frmhelp &window)
{
    const QTextDocument *document = window.findChild<QTextEdit *>(QStringLiteral("Text1"))->document();
    QList<int> lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        lines << block.layout()->lineCount();
    return lines;
}

// The window takes the width of its longest line, so that no sentence of
// the help file breaks in the middle; within the screen.
TEST(frmhelpTest, TheWindowIsSizedToTheHelpText)
{
    const QString path = findHelpFile({QStringLiteral(QUILLORY_SOURCE_DIR "/data")}, helpFileName());
    for (const int section : {22, 36}) {
        HelpText help;
        ASSERT_EQ(help.readSection(path, section), HelpText::Lookup::Found);
        const QString text = help.takePending();
        frmhelp window;
        window.setHelpText(text);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const QList<int> lines = shownLines(window);
        EXPECT_EQ(lines.size(), text.count(QStringLiteral("\r\n")) + 1) << section;
        for (int i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i], 1) << "section " << section << ", line " << i + 1 << " wraps";
    }

    // A line wider than the screen: the window stops at the screen, and that line wraps.
    frmhelp window;
    window.setHelpText(QStringLiteral("short\r\n") + QStringLiteral("word ").repeated(1000) + QStringLiteral("\r\n"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_LE(window.frameGeometry().width(), window.screen()->availableSize().width());
    const QList<int> lines = shownLines(window);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], 1);
    EXPECT_GT(lines[1], 1);
}

QString plainText(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    // The icon is an image character in front of the title.
    return document.toPlainText().remove(QChar::ObjectReplacementCharacter).trimmed();
}

// Each control's balloon: an icon, its title in bold, then its lines,
// every line whole when shown; markup in a text is shown as text; other controls get none.
TEST(modBallonTest, TipsWithIconBoldTitleAndTheirLines)
{
    QWidget form;
    auto *other = new QWidget(&form);
    other->setObjectName(u"Label1"_s);
    for (const BalloonTip &tip : balloonTips())
        (new QWidget(&form))->setObjectName(tip.control);
    definebaloonhelp(&form);
    EXPECT_TRUE(other->toolTip().isEmpty());
    for (const BalloonTip &tip : balloonTips()) {
        auto *control = form.findChild<QWidget *>(tip.control);
        EXPECT_TRUE(control->toolTip().contains(u"<b>"_s + tip.title + u"</b>"_s)) << qPrintable(tip.control);
        QToolTip::showText(QPoint(10, 10), control->toolTip(), control);
        const QWidget *label = nullptr;
        for (const QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == u"qtooltip_label"_s && window->isVisible())
                label = window;
        ASSERT_NE(label, nullptr);
        for (const QString &line : tip.lines)
            EXPECT_GT(label->width(), label->fontMetrics().horizontalAdvance(line)) << qPrintable(line);
        QToolTip::hideText();
    }

    createballoon(other, u"a < b\r\nc & d"_s, u"<i>Title</i>"_s);
    EXPECT_EQ(plainText(other->toolTip()), u"<i>Title</i>\na < b\nc & d"_s);

    killmyballoontips(&form);
    EXPECT_TRUE(form.findChild<QWidget *>(u"HScroll4"_s)->toolTip().isEmpty());
}

}  // namespace
