#pragma once

#include <QString>

class QWidget;

// Balloon tips: rich-text tooltips that show the information icon, the title
// in bold and the lines of the tip.

// Gives the control its balloon tip (replacing one it had).
void createballoon(QWidget *control, const QString &text, const QString &title);

// Gives the twelve controls of the main window, found by name under
// controls, their balloon tips. Setting them while they are on changes nothing.
void definebaloonhelp(QWidget *controls);

// Takes the twelve balloon tips away again; without tips nothing changes.
void killmyballoontips(QWidget *controls);
