#include "core/photos/PictureFit.h"

#include <cmath>
#include <limits>

std::optional<int> roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);  // the default rounding mode: to nearest, ties to even
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(rounded);
}

std::optional<PicturePlacement> fitPicture(int targetW, int targetH, int imgW, int imgH)
{
    if (imgW <= 0 || imgH <= 0)
        return std::nullopt;
    const double widthRatio = static_cast<double>(targetW) / imgW;
    const float factor = widthRatio * imgH < targetH ? static_cast<float>(widthRatio)
                                                     : static_cast<float>(static_cast<double>(targetH) / imgH);
    const std::optional<int> newW = roundHalfEven(static_cast<double>(factor) * imgW);
    const std::optional<int> newH = roundHalfEven(static_cast<double>(factor) * imgH);
    if (!newW || !newH)
        return std::nullopt;
    // The differences are taken in 64 bits: a box and a picture of extreme sizes cannot overflow them.
    const auto half = [](int box, int drawn) {
        return static_cast<float>((static_cast<double>(box) - static_cast<double>(drawn)) / 2);
    };
    return PicturePlacement{half(targetW, *newW), half(targetH, *newH), *newW, *newH};
}

QPointF centredText(int targetW, int targetH, double textW, double textH)
{
    return {targetW / 2.0 - textW / 2, targetH / 2.0 - textH / 2};
}
