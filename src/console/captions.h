// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The window's fixed texts that its code also reads back or compares.
namespace Caption {
inline const QString kWindow =
    QStringLiteral("温湿度传感器Modbus调试软件　　　　　　　　　             Quorvex");
inline const QString kStart = QStringLiteral("采 集"); // acquisition stopped
inline const QString kStop = QStringLiteral("停 止");  // acquisition running
inline const QString kConfirm = QStringLiteral("确 定");
inline const QString kGood = QStringLiteral("通讯数据正常！");
inline const QString kBad = QStringLiteral("通讯数据错误！");
inline const QString kWebAddress = QStringLiteral("www.modbus.org");
} // namespace Caption

// Command1's caption: the port's state as the operator sees it.
namespace PortCaption {
inline const QString kOpen = QStringLiteral("打开串口");  // shown while closed
inline const QString kClose = QStringLiteral("关闭串口"); // shown while open
} // namespace PortCaption
