#pragma once

#include "core/help/HelpText.h"

#include <QAction>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <optional>
#include <utility>

class frmhelp;
class QWidget;

// Context help of a window: "?" turns the window's cursor into the help
// cursor, and the next click on a control or menu item that takes part shows
// that item's section of the help file instead of doing what it does; help
// mode then ends. The cursor is the only flag.
//
// Controls take part through one event filter (watch), menu items through
// one hook on their command (bind); controls and items not registered ignore
// help mode. The filter takes the left mouse button on the control and every
// widget inside it, and for controls that act on keys, their keys as well.
class ContextHelp : public QObject
{
    Q_OBJECT

public:
    ContextHelp(QWidget *window, QStringList helpDirs);

    bool active() const;
    // The "?" command.
    void enter();

    // In help mode, shows the section of whereat's help context number.
    void gethelpnow(QObject *whereat);
    // Looks the section up and shows it in the help window. Does nothing
    // unless mode is the help cursor; ends help mode otherwise, whatever follows.
    void showhelpsection(std::optional<int> section, const QString &fileName, Qt::CursorShape mode);

    // The control takes part: in help mode a click on it shows section (its
    // own help number when none is given). With keys, a key press on it
    // counts as a click; otherwise its keys work as usual.
    void watch(QWidget *control, bool keys, std::optional<int> section = std::nullopt);
    // Runs command when the item is chosen; in help mode shows the item's section instead.
    template <typename Command>
    void bind(QAction *item, Command command)
    {
        connect(item, &QAction::triggered, this, [this, item, command = std::move(command)] {
            if (active())
                gethelpnow(item);
            else
                command();
        });
    }

    // The help window while it is open, null otherwise.
    frmhelp *helpWindow() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Watched
    {
        QWidget *control;
        bool keys;
        std::optional<int> section;
    };
    void showHelpOf(const Watched &watched);

    QWidget *m_window;
    QStringList m_helpDirs;
    HelpText m_helpText;
    QPointer<frmhelp> m_helpWindow;
    QHash<QObject *, Watched> m_watched;  // every widget filtered, with the control it belongs to
    QPointer<QObject> m_taken;            // the widget whose press was taken: its release goes too
};
