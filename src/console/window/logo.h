// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>

// The 68 × 39 logo: a thermometer and a drop over a line of bus waves.
QPixmap LogoPixmap();
