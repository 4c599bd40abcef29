// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// ser2net in front of a serial device, on 127.0.0.1 with free ports: one telnet(rfc2217)
// accepter and one plain tcp accepter. Started by the fixture, stopped when it goes.
class SerialServer {
public:
    ~SerialServer();
    // Starts serving device; false (with why()) when ser2net is missing or does not listen.
    bool start(const QString& device);
    bool stop();
    quint16 rfc2217Port() const { return rfc2217Port_; }
    quint16 tcpPort() const { return tcpPort_; }
    const QString& why() const { return why_; }

    static bool Installed();

private:
    QTemporaryDir dir_;
    QProcess process_;
    quint16 rfc2217Port_ = 0;
    quint16 tcpPort_ = 0;
    QString why_;
};

// A TCP port on 127.0.0.1 that nothing listens on now.
quint16 FreeTcpPort();
