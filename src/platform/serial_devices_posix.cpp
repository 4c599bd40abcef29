// SPDX-License-Identifier: MIT
#include "serial_devices.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

std::vector<SerialDeviceInfo> SystemSerialDevices::available() const {
    std::vector<SerialDeviceInfo> devices;
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    const QFileInfoList stableLinks = byId.entryInfoList(QDir::System | QDir::Files);
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        SerialDeviceInfo device{port.systemLocation(),
                                port.description(),
                                port.manufacturer(),
                                port.serialNumber(),
                                {}};
        for (const QFileInfo& link : stableLinks) {
            if (link.canonicalFilePath() == device.path)
                device.stableName = link.absoluteFilePath();
        }
        devices.push_back(device);
    }
    return devices;
}
