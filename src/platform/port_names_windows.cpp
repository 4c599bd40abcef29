// SPDX-License-Identifier: MIT
#include "port_names.h"

#include <QSerialPortInfo>

QString PortDevicePath(int port, const QString& /*folder*/) {
    if (port < 1)
        return {};
    return QStringLiteral("COM%1").arg(port);
}

PortLocation LocatePort(int port, const QString& folder) {
    PortLocation location;
    location.device = PortDevicePath(port, folder);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.portName().compare(location.device, Qt::CaseInsensitive) == 0)
            location.present = true;
    }
    return location;
}

QString PortLinkAdvice(const QString& /*device*/, int /*port*/) {
    return {};
}

QString PermissionAdvice() {
    return {};
}
