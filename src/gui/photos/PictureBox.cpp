#include "gui/photos/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void PictureBox::clear()
{
    m_picture = QImage();
    m_scaled = QPixmap();
    m_noPreview = false;
    update();
}

void PictureBox::drawPicture(const QImage &picture)
{
    clear();
    m_picture = picture;
}

void PictureBox::printNoPreview()
{
    clear();
    m_noPreview = true;
}

std::optional<PicturePlacement> PictureBox::placement() const
{
    if (m_picture.isNull())
        return std::nullopt;
    const QSize target = targetSize();
    return fitPicture(target.width(), target.height(), m_picture.width(), m_picture.height());
}

QPointF PictureBox::noPreviewOrigin() const
{
    const QFontMetricsF metrics(font());
    const QSize target = targetSize();
    return centredText(target.width(), target.height(), metrics.horizontalAdvance(noPreviewText()), metrics.height());
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QPointF inside = contentsRect().topLeft();
    painter.setClipRect(contentsRect());
    if (m_noPreview) {
        const QPointF origin = inside + noPreviewOrigin();
        painter.drawText(QRectF(origin, QSizeF(width(), height())), Qt::AlignLeft | Qt::AlignTop, noPreviewText());
        return;
    }
    const std::optional<PicturePlacement> at = placement();
    if (!at || at->width <= 0 || at->height <= 0)
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(at->width, at->height) * ratio).toSize();
    if (m_scaled.size() != pixels || m_scaled.devicePixelRatio() != ratio) {
        m_scaled = QPixmap::fromImage(m_picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_scaled.setDevicePixelRatio(ratio);
    }
    painter.drawPixmap(inside + QPointF(at->left, at->top), m_scaled);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}
