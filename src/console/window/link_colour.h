// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

// The link label's colour from three draws in [0, 1): blue from the third, scaled to
// 0..254; red and green are the integer parts of the first two, so the label runs through
// shades of blue that stay readable on the window background.
QColor LinkColour(double r1, double r2, double r3);

// One tick's colour: re-seeds from the time of day, then draws three numbers.
QColor NextLinkColour();
