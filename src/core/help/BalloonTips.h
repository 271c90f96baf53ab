#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One control's balloon tip: the control's name, the title shown in bold
// beside the information icon, and one or two lines of text.
struct BalloonTip
{
    QString control;
    QString title;
    QStringList lines;

    // The lines joined by CR LF.
    QString text() const;
};

// The main window's twelve balloon tips, in the order they are created.
const std::vector<BalloonTip> &balloonTips();
