// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QProcess>
#include <QString>

// A Modbus TCP gateway on 127.0.0.1 (pymodbus, tests/modbus_gateway.py) in front of a serial
// device: it forwards each request to the unit id on the device and answers for the units
// it reaches no sensor at (0B) or has no path to (0A). Ends with the fixture, and with the
// test's process however that ends.
class GatewayServer {
public:
    ~GatewayServer();
    // False (with why()) when pymodbus is missing or the gateway does not listen.
    bool start(const QString& device, const QList<int>& unitsWithoutPath = {});
    void stop();
    quint16 port() const { return port_; }
    const QString& why() const { return why_; }

    static bool Installed();

private:
    QProcess process_;
    quint16 port_ = 0;
    QString why_;
};
