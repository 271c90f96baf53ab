#include "gui/common/ShowWindow.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

void showWindow(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

bool closeOtherWindows(const QWidget *main)
{
    QList<QPointer<QWidget>> others;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != main && window->isVisible())
            others.append(window);
    }
    for (const QPointer<QWidget> &window : others) {
        // Closing one window may already have closed or deleted another.
        if (!window.isNull() && !window->close())
            return false;
    }
    return true;
}
