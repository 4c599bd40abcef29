// SPDX-License-Identifier: MIT
#pragma once

#include "line_format.h"
#include "sensor_model.h"

#include <QList>
#include <QString>

// The line a monitoring system reaches the bus through, as plain values so that the files
// depend on nothing but what they say.
struct HandoverLine {
    enum class Kind {
        LocalSerial, // a serial port of the monitoring machine: device is its path (or COMn)
        RawTcp,      // a transparent serial server: RTU frames in a TCP stream
        Gateway,     // a Modbus TCP gateway: each sensor's address is its unit id
    };
    Kind kind = Kind::LocalSerial;
    QString device; // LocalSerial: /dev/ttyUSB0, /dev/serial/by-id/..., COM3
    QString host;   // RawTcp, Gateway
    int tcpPort = 502;
    LineSetup setup; // rate and format; data bits are always 8
    static constexpr int kDataBits = 8;

    bool overTcp() const { return kind != Kind::LocalSerial; }
};

struct HandoverSensor {
    int address = 1;
    QString name; // the monitoring system's name for it
    SensorModel model;
};

struct HandoverBus {
    QString name = QStringLiteral("rs485"); // the bus as the monitoring system names it
    HandoverLine line;
    QList<HandoverSensor> sensors;
};
