// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

// The 宋体 face at the given size, falling back to the Chinese faces the system has, so the Chinese
// texts render everywhere.
QFont SongFont(qreal pointSize, bool bold = false);
