#include "gui/help/frmhelp.h"

#include "core/common/AppInfo.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr int defaultWidth = 440;
constexpr int defaultHeight = 320;
}  // namespace

frmhelp::frmhelp(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_frame1(new QGroupBox(appTitle() + QStringLiteral(" Help"), this))
    , m_text1(new QTextEdit(m_frame1))
    , m_command1(new QPushButton(QStringLiteral("Close"), this))
{
    setObjectName(QStringLiteral("frmhelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(appTitle() + QStringLiteral(" Help1"));
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_text1->setReadOnly(true);

    auto *frameLayout = new QVBoxLayout(m_frame1);
    frameLayout->addWidget(m_text1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame1, 1);
    layout->addWidget(m_command1, 0, Qt::AlignRight);
    resize(defaultWidth, defaultHeight);

    connect(m_command1, &QPushButton::clicked, this, &QWidget::close);
}

void frmhelp::setHelpText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text1->setPlainText(shown);
    fitToText(shown);
}

// Wide and tall enough for the text, so that no line wraps in the middle,
// within the screen; a line wider than the screen still wraps there.
void frmhelp::fitToText(const QString &text)
{
    const QFontMetrics metrics(m_text1->font());
    int widest = 0;
    int lines = 0;
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line.toString()));
        ++lines;
    }
    const int margin = static_cast<int>(std::ceil(m_text1->document()->documentMargin()));
    // Everything around the text: the window's and the frame's margins, the
    // box's border and a vertical scroll bar.
    layout()->activate();
    m_frame1->layout()->activate();
    const int aroundWidth = width() - m_text1->width() + 2 * m_text1->frameWidth()
        + m_text1->verticalScrollBar()->sizeHint().width() + 2 * margin;
    const int aroundHeight = height() - m_text1->height() + 2 * m_text1->frameWidth() + 2 * margin;
    const QScreen *screen = this->screen();
    const QSize room = screen ? screen->availableSize() * 9 / 10 : QSize(defaultWidth, defaultHeight);
    resize(std::clamp(widest + aroundWidth + 1, defaultWidth, std::max(defaultWidth, room.width())),
           std::clamp(lines * metrics.lineSpacing() + aroundHeight, defaultHeight,
                      std::max(defaultHeight, room.height())));
}

QString frmhelp::helpText() const
{
    return m_text1->toPlainText();
}
