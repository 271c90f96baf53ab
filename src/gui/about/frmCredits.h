#pragma once

#include <QWidget>

class QLabel;
class QScrollBar;
class QTimer;

// The credits window: the credits text scrolls up through a viewport in an
// endless loop, 12 twips every 35 ms, from just below the viewport until
// little of it remains above, then again from below. The scroll bar holds the
// text's top in twips. The text is hidden until the first tick; the timer
// runs from the moment the window is shown or activated until it closes.
// Deleted when it closes, so the next one starts from the bottom again.
class frmCredits : public QWidget
{
    Q_OBJECT

public:
    explicit frmCredits(QWidget *parent = nullptr);

    // One step of the scroll.
    void Timer1_Timer();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Form_Activate();

    QWidget *m_Picture1;
    QLabel *m_Text1;
    QScrollBar *m_VScroll1;
    QTimer *m_Timer1;
};
