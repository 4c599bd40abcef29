// SPDX-License-Identifier: MIT
#include "port_names.h"

#include <QDir>
#include <QFileInfo>

QString PortDevicePath(int port, const QString& folder) {
    if (port < 1)
        return {};
    const QString name = QStringLiteral("COM%1").arg(port);
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return name;
#else
    const QFileInfo local(QDir(folder).filePath(name));
    if (local.exists() || local.isSymLink()) {
        // The target's own name keeps the lock file the same however the port is reached.
        const QString target = local.canonicalFilePath();
        if (!target.isEmpty())
            return target;
        // A link to a device that is gone names what it was made for.
        return local.isSymLink() ? local.symLinkTarget() : local.absoluteFilePath();
    }
    return QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
#endif
}

PortLocation LocatePort(int port, const QString& folder) {
    PortLocation location;
    location.device = PortDevicePath(port, folder);
#ifdef Q_OS_WIN
    location.present = true; // Windows names ports itself; the list of devices tells
#else
    const QFileInfo local(QDir(folder).filePath(QStringLiteral("COM%1").arg(port)));
    location.throughLink = local.exists() || local.isSymLink();
    location.present = !location.device.isEmpty() && QFileInfo::exists(location.device);
#endif
    return location;
}
