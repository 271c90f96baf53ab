#include "gui/help/modBallon.h"

#include "core/help/BalloonTips.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QBuffer>
#include <QHelpEvent>
#include <QIcon>
#include <QPixmap>
#include <QStyle>
#include <QToolTip>
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

// The tooltip text of one balloon: the icon, the title in bold, then the
// lines (separated by CR LF) on lines of their own. The lines never wrap:
// the tooltip would otherwise narrow itself and break them mid-sentence.
QString balloonHtml(const QString &text, const QString &title)
{
    QString lines = text.toHtmlEscaped();
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\"><tr><td valign=\"middle\"><img src=\"")
        + informationIcon() + QStringLiteral("\" width=\"16\" height=\"16\"></td><td valign=\"middle\"><b>")
        + title.toHtmlEscaped() + QStringLiteral("</b></td></tr></table><nobr>") + lines + QStringLiteral("</nobr>");
}

// A list or grid shows its items in a viewport, and an item's own tooltip
// (the grid's cell text) would take the place of the control's balloon: while
// the control has a balloon, the viewport shows that instead.
class ViewportBalloon : public QObject
{
public:
    explicit ViewportBalloon(QAbstractScrollArea *control)
        : QObject(control)
        , m_control(control)
    {
        control->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip || m_control->toolTip().isEmpty())
            return false;
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), m_control->toolTip(), m_control);
        return true;
    }

private:
    QAbstractScrollArea *m_control;
};

template <typename Action>
void forEachTipControl(QWidget *controls, Action action)
{
    for (const BalloonTip &tip : balloonTips()) {
        if (auto *control = controls->findChild<QWidget *>(tip.control))
            action(control, tip);
    }
}

}  // namespace

void createballoon(QWidget *control, const QString &text, const QString &title)
{
    control->setToolTip(balloonHtml(text, title));
    static constexpr char viewportBalloon[] = "viewportBalloon";
    auto *scrollArea = qobject_cast<QAbstractScrollArea *>(control);
    if (scrollArea && !scrollArea->property(viewportBalloon).toBool()) {
        new ViewportBalloon(scrollArea);
        scrollArea->setProperty(viewportBalloon, true);
    }
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
