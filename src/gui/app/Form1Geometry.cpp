#include "gui/app/Form1Geometry.h"

#include <QEvent>
#include <QGroupBox>
#include <QWidget>

namespace {

constexpr int ClientWidthTwips = 11880;
constexpr int ClientHeightTwips = 8670;
constexpr int StatusBarTwips = 300;  // the status bar, below the client widget
constexpr int FrameTopTwips = 240;   // where the controls inside a frame start

// How a control follows the client area when it grows beyond the design size.
enum class Anchor {
    Fixed,       // keeps its design place
    Grow,        // takes the extra width and height
    Bottom,      // moves down with the bottom edge
    BottomWide,  // moves down and takes the extra width
    Middle,      // stays in the middle of the extra room
};

struct Placement
{
    const char *name;
    int left, top, width, height;
    Anchor anchor = Anchor::Fixed;
    bool natural = false;  // sized to its contents at the design place
};

// The controls directly in the client area, in twips.
constexpr Placement clientControls[] = {
    {"Command1", 120, 240, 885, 1080},
    {"Image1", 1200, 240, 720, 720},
    {"Label4", 2040, 300, 3000, 600},
    {"Line1", 1200, 1080, 3960, 60},
    {"Text5", 2280, 4695, 7320, 465, Anchor::Middle},
    {"FGrid", 75, 3870, 11715, 2700, Anchor::Grow},
    {"InfoFrame", 105, 1365, 5085, 2460},
    {"PictureFrame", 5280, 165, 6645, 3660},
    {"Mplayer", 75, 6705, 3330, 615, Anchor::Bottom},
    {"Check1", 135, 7650, 1305, 195, Anchor::Bottom, true},
    {"HScroll4", 120, 7365, 3180, 180, Anchor::Bottom},
    {"Label2", 3390, 7410, 660, 225, Anchor::Bottom},
    {"Label1", 4290, 7380, 7845, 225, Anchor::BottomWide},
    {"Text4", 5145, 7020, 2775, 285, Anchor::Bottom},
    {"Command3", 4200, 7035, 900, 255, Anchor::Bottom},
    {"PBar", 1515, 7650, 8865, 240, Anchor::BottomWide},
};

// The controls inside the two frames, relative to their frame.
constexpr Placement frameControls[] = {
    {"RBox1", 135, 240, 4815, 2100},
    {"Dir1", 120, 240, 2280, 1620},
    {"File1", 120, 1920, 2280, 1620},
    {"Picture2", 2520, 240, 3960, 3300},
};

// The top of a frame's inside when it shows a caption in its font.
int belowCaption(const QGroupBox *frame)
{
    QGroupBox probe(QStringLiteral("Caption"));
    probe.setFont(frame->font());
    probe.ensurePolished();
    return probe.contentsRect().top();
}

}  // namespace

int px(int twips)
{
    return (twips + 7) / 15;
}

QRect twipRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

QSize Form1Geometry::designSize()
{
    return {px(ClientWidthTwips), px(ClientHeightTwips) - px(StatusBarTwips)};
}

Form1Geometry::Form1Geometry(QWidget *client)
    : QObject(client)
    , m_client(client)
{
    for (const Placement &p : clientControls) {
        auto *widget = client->findChild<QWidget *>(QLatin1String(p.name), Qt::FindDirectChildrenOnly);
        if (!widget)
            continue;
        QRect design = twipRect(p.left, p.top, p.width, p.height);
        if (p.natural)
            design.setSize(widget->sizeHint());
        m_placed.push_back({widget, design, static_cast<int>(p.anchor)});
    }
    for (const Placement &p : frameControls) {
        auto *widget = client->findChild<QWidget *>(QLatin1String(p.name));
        auto *frame = widget ? qobject_cast<QGroupBox *>(widget->parentWidget()) : nullptr;
        if (!frame)
            continue;
        QRect rect = twipRect(p.left, p.top, p.width, p.height);
        if (p.top == FrameTopTwips)
            rect.setTop(std::max(rect.top(), belowCaption(frame)));
        widget->setGeometry(rect);
    }
    client->setMinimumSize(designSize());
    client->installEventFilter(this);
    place();
}

void Form1Geometry::place()
{
    const QSize extra = (m_client->size() - designSize()).expandedTo(QSize(0, 0));
    const int dx = extra.width(), dy = extra.height();
    for (const Placed &p : m_placed) {
        switch (static_cast<Anchor>(p.anchor)) {
        case Anchor::Fixed: p.widget->setGeometry(p.design); break;
        case Anchor::Grow: p.widget->setGeometry(p.design.adjusted(0, 0, dx, dy)); break;
        case Anchor::Bottom: p.widget->setGeometry(p.design.translated(0, dy)); break;
        case Anchor::BottomWide: p.widget->setGeometry(p.design.translated(0, dy).adjusted(0, 0, dx, 0)); break;
        case Anchor::Middle: p.widget->setGeometry(p.design.translated(dx / 2, dy / 2)); break;
        }
    }
}

bool Form1Geometry::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        place();
    return false;
}
