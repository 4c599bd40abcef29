// SPDX-License-Identifier: MIT
#include "window/link_colour.h"

#include <QTime>
#include <algorithm>
#include <random>

QColor LinkColour(double r1, double r2, double r3) {
    const auto component = [](double r) { return static_cast<int>(r); };
    // A draw can round up to 1.0 in floating point; blue never reaches 255.
    const int blue = std::clamp(static_cast<int>(r3 * 255), 0, 254);
    return QColor(component(r1), component(r2), blue);
}

QColor NextLinkColour() {
    std::mt19937 generator(static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay()));
    std::uniform_real_distribution<double> draw(0.0, 1.0);
    const double r1 = draw(generator);
    const double r2 = draw(generator);
    const double r3 = draw(generator);
    return LinkColour(r1, r2, r3);
}
