// SPDX-License-Identifier: MIT
#pragma once

#include "serial_devices.h"

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <vector>

// What the status line says: one line for the box, and the system's own words beside it
// for the box's tooltip.
struct StatusText {
    QString line;
    QString detail;
    // Says the same again in the language now chosen; empty for a text that cannot.
    std::function<StatusText()> retold;
};

// The context of the port texts' translations.
class PortStatusText {
    Q_DECLARE_TR_FUNCTIONS(PortStatusText)
};

enum class PortProblem { Missing, Busy, NoPermission, SettingsRefused, WriteFailed, Lost, Other };

// The problem a serial-port error code stands for.
PortProblem ProblemForCode(int commErrorCode);

struct PortProblemContext {
    int port = 0;
    QString device;                         // the device or serial server the port reaches
    QString systemDetail;                   // the system's message, kept out of the visible line
    QString settings;                       // the refused line settings
    std::vector<SerialDeviceInfo> existing; // for a missing port: what there is instead
    bool viaServer = false; // device is a serial server; systemDetail the network's reason
};

// The operator's reason, in the tool's own words.
StatusText DescribePortProblem(PortProblem problem, const PortProblemContext& context);

// The tooltip of port n in the port list: the device it reaches and what the system
// knows of it, or that nothing is connected there.
QString PortToolTip(int port, const QString& device, bool present, bool throughLink,
                    const std::vector<SerialDeviceInfo>& existing);
