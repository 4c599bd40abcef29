// SPDX-License-Identifier: MIT
#include "serial_devices.h"

#include <QSerialPortInfo>

std::vector<SerialDeviceInfo> SystemSerialDevices::available() const {
    std::vector<SerialDeviceInfo> devices;
    // The port name (COM3) is what the tool opens; the system location is \\.\COM3.
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        devices.push_back(
            {port.portName(), port.description(), port.manufacturer(), port.serialNumber(), {}});
    return devices;
}
