#include "gui/app/PlayerPicture.h"

#include <QLinearGradient>
#include <QPainter>

QPixmap playerPicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size * 0.62;
    const QRectF body((size - w) / 2, size * 0.04, w, size * 0.92);
    QLinearGradient shine(body.topLeft(), body.bottomRight());
    shine.setColorAt(0, QColor(250, 250, 252));
    shine.setColorAt(1, QColor(196, 200, 208));
    p.setPen(QPen(QColor(90, 94, 104), qMax(1.0, size / 32.0)));
    p.setBrush(shine);
    p.drawRoundedRect(body, w * 0.16, w * 0.16);
    const QRectF screen(body.left() + w * 0.12, body.top() + w * 0.14, w * 0.76, body.height() * 0.36);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 70, 120));
    p.drawRoundedRect(screen, w * 0.05, w * 0.05);
    const qreal wheel = w * 0.62;
    const QPointF centre(body.center().x(), body.bottom() - body.height() * 0.27);
    p.setBrush(QColor(150, 154, 164));
    p.drawEllipse(centre, wheel / 2, wheel / 2);
    p.setBrush(shine);
    p.drawEllipse(centre, wheel / 5, wheel / 5);
    return pixmap;
}
