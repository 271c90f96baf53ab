#include "gui/help/modBallon.h"

#include "core/help/BalloonTips.h"

#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QPixmap>
#include <QStyle>
#include <QWidget>

namespace {

// The style's information icon as an inline PNG image, so the tooltip needs no resource file.
QString informationIcon()
{
    const QPixmap icon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    icon.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

template <typename Action>
void forEachTipControl(QWidget *controls, Action action)
{
    for (const BalloonTip &tip : balloonTips()) {
        if (auto *control = controls->findChild<QWidget *>(tip.control))
            action(control, tip);
    }
}

}  // namespace

QString balloonHtml(const QString &text, const QString &title)
{
    QString lines = text.toHtmlEscaped();
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\"><tr><td valign=\"middle\"><img src=\"")
        + informationIcon() + QStringLiteral("\" width=\"16\" height=\"16\"></td><td valign=\"middle\"><b>")
        + title.toHtmlEscaped() + QStringLiteral("</b></td></tr></table>") + lines;
}

void createballoon(QWidget *control, const QString &text, const QString &title)
{
    control->setToolTip(balloonHtml(text, title));
}

void definebaloonhelp(QWidget *controls)
{
    forEachTipControl(controls,
                      [](QWidget *control, const BalloonTip &tip) { createballoon(control, tip.text(), tip.title); });
}

void killmyballoontips(QWidget *controls)
{
    forEachTipControl(controls, [](QWidget *control, const BalloonTip &) { control->setToolTip(QString()); });
}
