// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

// Chinese faces this system is likely to have, Song (serif) first, for when 宋体 is missing.
QStringList ChineseFallbackFamilies();
