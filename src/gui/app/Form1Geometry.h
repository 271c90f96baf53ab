#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

// Layout sizes are given in twips: 15 twips make one pixel at 96 dpi.
int px(int twips);
QRect twipRect(int left, int top, int width, int height);

// Where the main window's controls sit. At the design size (the window's
// minimum) every control has its design place; in a larger window the song
// grid takes the extra width and height, the frames above it keep their size,
// the strip below it (player, volume, search, progress) moves down with the
// bottom edge and its long controls widen, and the notice box stays in the
// middle of the grid's room. Inside the two frames the controls start below
// the frame's caption, however tall the font makes it.
class Form1Geometry : public QObject
{
public:
    // Places the named controls under client, keeps them placed as client
    // resizes, and makes the design size client's minimum.
    explicit Form1Geometry(QWidget *client);

    static QSize designSize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Placed
    {
        QWidget *widget;
        QRect design;
        int anchor;  // how it follows a larger client area
    };
    void place();

    QWidget *m_client;
    std::vector<Placed> m_placed;
};
