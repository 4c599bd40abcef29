// SPDX-License-Identifier: MIT
#include "port_names.h"

#include <QCoreApplication>
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

QString PortLinkAdvice(const QString& device, int port) {
    return PortAdvice::tr("在 com.txt 所在文件夹执行 ln -s %1 COM%2，即可把它用作 COM%2")
        .arg(device)
        .arg(port);
}

// The package's udev rule opens the common USB adapters to the desktop user; any other
// device, or a login without a seat, needs the group.
QString PermissionAdvice() {
    return PortAdvice::tr("请把用户加入 dialout 组（sudo adduser $USER dialout），然后重新登录"
                          "（常见的 USB 转 RS-485 适配器在安装本软件后插上即可使用）");
}
