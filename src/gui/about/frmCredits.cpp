#include "gui/about/frmCredits.h"

#include "core/about/AboutTexts.h"
#include "core/about/CreditsScroll.h"

#include <QEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

namespace {

// 15 twips make one pixel at 96 dpi.
int pixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

constexpr int ViewportWidthTwips = 5535;
constexpr int TextLeftTwips = 360;
constexpr int TextWidthTwips = 5055;

}  // namespace

frmCredits::frmCredits(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_Picture1(new QWidget(this))
    , m_Text1(new QLabel(creditsText(), m_Picture1))
    , m_VScroll1(new QScrollBar(Qt::Vertical, this))
    , m_Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("frmCredits"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Credits"));
    m_Picture1->setObjectName(QStringLiteral("Picture1"));
    m_Text1->setObjectName(QStringLiteral("Text1"));
    m_VScroll1->setObjectName(QStringLiteral("VScroll1"));
    m_Timer1->setObjectName(QStringLiteral("Timer1"));

    // The viewport clips the text that moves inside it.
    const int viewportHeight = pixels(CreditsScroll::ViewportHeight);
    m_Picture1->setGeometry(0, 0, pixels(ViewportWidthTwips), viewportHeight);
    m_Picture1->setBackgroundRole(QPalette::Base);
    m_Picture1->setAutoFillBackground(true);
    m_Text1->setFont(QFont(QStringLiteral("Comic Sans MS")));
    m_Text1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_Text1->setGeometry(pixels(TextLeftTwips), viewportHeight, pixels(TextWidthTwips),
                         pixels(CreditsScroll::TextHeight));
    m_VScroll1->setGeometry(m_Picture1->width(), 0, m_VScroll1->sizeHint().width(), viewportHeight);
    setFixedSize(m_Picture1->width() + m_VScroll1->width(), viewportHeight);

    // Form_Load: the text waits hidden just below the viewport.
    m_Timer1->setInterval(CreditsScroll::TickMs);
    connect(m_Timer1, &QTimer::timeout, this, &frmCredits::Timer1_Timer);
    m_VScroll1->setRange(CreditsScroll::Minimum, CreditsScroll::Maximum);
    m_VScroll1->setValue(m_VScroll1->maximum());
    m_Text1->hide();
}

void frmCredits::Timer1_Timer()
{
    m_VScroll1->setValue(
        CreditsScroll::nextPosition(m_VScroll1->value(), m_VScroll1->minimum(), m_VScroll1->maximum()));
    m_Text1->move(m_Text1->x(), pixels(m_VScroll1->value()));
    m_Text1->show();
}

void frmCredits::Form_Activate()
{
    if (!m_Timer1->isActive())
        m_Timer1->start();
}

void frmCredits::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void frmCredits::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}
