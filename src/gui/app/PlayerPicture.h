#pragma once

#include <QPixmap>

// The player drawn as the program's picture, size pixels square: a light
// body, a dark screen and a click wheel.
QPixmap playerPicture(int size);
