#include "gui/help/ContextHelp.h"

#include "gui/common/ShowWindow.h"
#include "gui/help/frmhelp.h"

#include <QAbstractSlider>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

// The keys that act on a button, a bar or a list the way a click does.
bool isActionKey(int key)
{
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    default: return false;
    }
}

}  // namespace

ContextHelp::ContextHelp(QWidget *window, QStringList helpDirs)
    : QObject(window)
    , m_window(window)
    , m_helpDirs(std::move(helpDirs))
{}

bool ContextHelp::active() const
{
    return m_window->cursor().shape() == Qt::WhatsThisCursor;
}

void ContextHelp::enter()
{
    m_window->setCursor(Qt::WhatsThisCursor);
}

void ContextHelp::gethelpnow(QObject *whereat)
{
    if (!active())
        return;
    std::optional<int> section;
    const QVariant number = whereat ? whereat->property(helpContextProperty) : QVariant();
    bool isNumber = false;
    const int value = number.toInt(&isNumber);
    if (number.isValid() && isNumber)
        section = value;
    showhelpsection(section, helpFileName(), m_window->cursor().shape());
}

void ContextHelp::showhelpsection(std::optional<int> section, const QString &fileName, Qt::CursorShape mode)
{
    if (mode != Qt::WhatsThisCursor)
        return;
    m_window->unsetCursor();
    const QString path = findHelpFile(m_helpDirs, fileName);
    switch (m_helpText.readSection(path, section)) {
    case HelpText::Lookup::Found:
    case HelpText::Lookup::NotFound: break;
    case HelpText::Lookup::Unterminated:  // its lines wait for the next section shown
    case HelpText::Lookup::FileMissing: return;
    }
    if (!m_helpWindow)
        m_helpWindow = new frmhelp(m_window);
    m_helpWindow->setHelpText(m_helpText.takePending());
    showWindow(m_helpWindow);
}

frmhelp *ContextHelp::helpWindow() const
{
    return m_helpWindow.data();
}

void ContextHelp::watch(QWidget *control, bool keys, std::optional<int> section)
{
    const Watched entry{control, keys, section};
    QList<QWidget *> widgets = control->findChildren<QWidget *>();
    widgets.prepend(control);
    for (QWidget *widget : widgets) {
        m_watched.insert(widget, entry);
        widget->installEventFilter(this);
        connect(widget, &QObject::destroyed, this, [this](QObject *gone) { m_watched.remove(gone); });
    }
}

void ContextHelp::showHelpOf(const Watched &watched)
{
    if (watched.section)
        showhelpsection(watched.section, helpFileName(), m_window->cursor().shape());
    else
        gethelpnow(watched.control);
}

bool ContextHelp::eventFilter(QObject *object, QEvent *event)
{
    const auto found = m_watched.constFind(object);
    if (found == m_watched.constEnd())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A press taken in help mode takes its release and a double click with it.
        m_taken = nullptr;
        if (!active() || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        m_taken = object;
        showHelpOf(*found);
        return true;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: return object == m_taken;
    case QEvent::KeyPress:
        if (!active() || !found->keys || !isActionKey(static_cast<QKeyEvent *>(event)->key()))
            return false;
        showHelpOf(*found);
        return true;
    case QEvent::Wheel:
        if (!active() || !qobject_cast<QAbstractSlider *>(found->control))
            return false;
        showHelpOf(*found);
        return true;
    default: return false;
    }
}
