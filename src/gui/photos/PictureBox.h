#pragma once

#include "core/photos/PictureFit.h"

#include <QFrame>
#include <QImage>
#include <QPixmap>

#include <optional>

// The box the photo viewer draws into. It keeps what it shows and draws it
// again on every paint: a picture scaled to fit and centred (worked out
// afresh for the box's size, so a resized box shows it whole), the text
// "No Preview Available" centred, or nothing.
class PictureBox : public QFrame
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    static QString noPreviewText() { return QStringLiteral("No Preview Available"); }

    // Shows nothing.
    void clear();
    // Shows the picture scaled to fit the box.
    void drawPicture(const QImage &picture);
    // Shows "No Preview Available" in the middle of the box.
    void printNoPreview();

    // The size pictures are fitted into: the box inside its frame.
    QSize targetSize() const { return contentsRect().size(); }
    // Where the picture is drawn inside the frame; nullopt when none is shown.
    std::optional<PicturePlacement> placement() const;
    bool showsNoPreview() const { return m_noPreview; }
    // Top-left corner of the "No Preview Available" text inside the frame.
    QPointF noPreviewOrigin() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    bool m_noPreview = false;
    // The picture at the size last drawn, so repainting does not scale it again.
    QPixmap m_scaled;
};
