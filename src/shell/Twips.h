#pragma once
// The window's arrangement is worked out in twips (1/1440 inch), as it was
// designed; these convert to and from the screen's pixels through its logical DPI.
#include <cmath>

namespace shell {

inline constexpr double TwipsPerInch = 1440.0;

inline int twipsToPixels(double twips, double dpi)
{
    return int(std::lround(twips * dpi / TwipsPerInch));
}

inline int pixelsToTwips(double pixels, double dpi)
{
    return int(std::lround(pixels * TwipsPerInch / dpi));
}

// Logical DPI of the primary screen (96 when there is none).
double screenDpiX();
double screenDpiY();

}  // namespace shell
