#pragma once

#include <QPointF>

#include <optional>

// Where a picture is drawn in a display box: its top-left corner (a half unit
// can remain) and its stretched size.
struct PicturePlacement
{
    float left = 0;
    float top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PicturePlacement &) const = default;
};

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4). nullopt when the value does not fit a signed 32-bit number.
std::optional<int> roundHalfEven(double value);

// Scales a picture of imgW x imgH to fit a box of targetW x targetH, keeping
// its proportions, and centres it. The width limits when the picture scaled
// to the box's width is less high than the box; otherwise the height limits.
// Small pictures are enlarged as large ones are reduced. The factor is kept
// in single precision, the drawn size rounded halves to even. nullopt for a
// picture without width or height, or a size out of range.
std::optional<PicturePlacement> fitPicture(int targetW, int targetH, int imgW, int imgH);

// Top-left corner of a text of the given size centred in the box.
QPointF centredText(int targetW, int targetH, double textW, double textH);
