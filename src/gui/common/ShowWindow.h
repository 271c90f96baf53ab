#pragma once

class QWidget;

// Shows a secondary window and brings it to the front with the focus.
void showWindow(QWidget *window);

// Asks every other open top-level window to close, once each; false when
// one refused, and the rest were then not asked. (The copy window refuses
// while it copies: asking again and again could loop for as long as it does.)
bool closeOtherWindows(const QWidget *main);
