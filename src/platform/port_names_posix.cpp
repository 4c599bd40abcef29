// SPDX-License-Identifier: MIT
#include "port_names.h"

#include <QDir>
#include <QFileInfo>

QString PortDevicePath(int port, const QString& folder) {
    if (port < 1)
        return {};
    const QFileInfo local(QDir(folder).filePath(QStringLiteral("COM%1").arg(port)));
    if (local.exists() || local.isSymLink()) {
        // The target's own name keeps the lock file the same however the port is reached.
        const QString target = local.canonicalFilePath();
        if (!target.isEmpty())
            return target;
        // A link to a device that is gone names what it was made for.
        return local.isSymLink() ? local.symLinkTarget() : local.absoluteFilePath();
    }
    return QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
}

PortLocation LocatePort(int port, const QString& folder) {
    PortLocation location;
    location.device = PortDevicePath(port, folder);
    const QFileInfo local(QDir(folder).filePath(QStringLiteral("COM%1").arg(port)));
    location.throughLink = local.exists() || local.isSymLink();
    location.present = !location.device.isEmpty() && QFileInfo::exists(location.device);
    return location;
}

bool PortsLinkedFromFolder() {
    return true;
}
