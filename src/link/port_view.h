// SPDX-License-Identifier: MIT
#pragma once

#include "port_status_text.h"

#include <QString>

// What port control needs from the window: the state captions, the link lists and the
// status line.
class PortView {
public:
    virtual ~PortView() = default;
    virtual QString command1Caption() const = 0;
    // Caption of Command1 and colour of the lamp.
    virtual void showPortState(bool open) = 0;
    virtual int portListIndex() const = 0;
    virtual QString baudText() const = 0;
    virtual QString parityText() const = 0;
    virtual QString dataBitsText() const = 0;
    virtual QString stopBitsText() const = 0;
    virtual void showStatus(const StatusText& status) = 0;
};

namespace PortCaption {
inline const QString kOpen = QStringLiteral("打开串口");  // shown while closed
inline const QString kClose = QStringLiteral("关闭串口"); // shown while open
} // namespace PortCaption
