#include "gui/help/modBallon.h"

#include "core/help/BalloonTips.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

QString plainText(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    // The icon is an image character in front of the title.
    return document.toPlainText().remove(QChar::ObjectReplacementCharacter).trimmed();
}

// Each control's balloon: a 16 x 16 icon, its title in bold, then its lines,
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

    const QRegularExpressionMatch icon = QRegularExpression(u"src=\"data:image/png;base64,([^\"]+)\""_s)
                                             .match(form.findChild<QWidget *>(u"HScroll4"_s)->toolTip());
    ASSERT_TRUE(icon.hasMatch());
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(QByteArray::fromBase64(icon.captured(1).toLatin1()), "PNG"));
    EXPECT_EQ(decoded.size(), QSize(16, 16));

    createballoon(other, u"a < b\r\nc & d"_s, u"<i>Title</i>"_s);
    EXPECT_EQ(plainText(other->toolTip()), u"<i>Title</i>\na < b\nc & d"_s);

    killmyballoontips(&form);
    EXPECT_TRUE(form.findChild<QWidget *>(u"HScroll4"_s)->toolTip().isEmpty());
}

}  // namespace
