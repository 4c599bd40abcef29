// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <cmath>

// Layout figures are kept in twips, 15 to a pixel at 96 dots per inch.
constexpr int TwipsToPixels(int twips) {
    return (twips * 2 + 15) / 30;
}

inline QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}
