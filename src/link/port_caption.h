// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Command1's caption: the port's state as the operator sees it.
namespace PortCaption {
inline const QString kOpen = QStringLiteral("打开串口");  // shown while closed
inline const QString kClose = QStringLiteral("关闭串口"); // shown while open
} // namespace PortCaption
