// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <vector>

// A serial device the system knows of, with what it tells about it.
struct SerialDeviceInfo {
    QString path; // /dev/ttyUSB0, COM3
    QString description;
    QString manufacturer;
    QString serialNumber;
    QString stableName; // /dev/serial/by-id/... when there is one
};

// The serial devices present now.
class SerialDevices {
public:
    virtual ~SerialDevices() = default;
    virtual std::vector<SerialDeviceInfo> available() const = 0;
};

// The system's list (QSerialPortInfo), with the stable names udev gives USB adapters.
class SystemSerialDevices final : public SerialDevices {
public:
    std::vector<SerialDeviceInfo> available() const override;
};
