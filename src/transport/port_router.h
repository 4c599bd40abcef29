// SPDX-License-Identifier: MIT
#pragma once

#include "network_serial_control.h"
#include "qt_serial_control.h"
#include "server_address.h"

#include <memory>

// The tool's serial-port control: a port number mapped to a serial device server goes
// over the network, every other to the local serial port. The line above sees one control.
class PortRouter final : public SerialControl, public PortMapping {
    Q_OBJECT
public:
    // portFolder: where COMn links are looked up; empty means the working directory.
    explicit PortRouter(QString portFolder = {}, QObject* parent = nullptr);

    void setServers(const ServerMap& servers) override;
    const ServerMap& servers() const { return servers_; }

    // Another port number closes what the last one opened: the local port, or the
    // connection to its server (kept for a trial open otherwise).
    CommResult setCommPort(int port) override;
    void setOutBufferSize(int bytes) override { current_->setOutBufferSize(bytes); }
    void setInBufferSize(int bytes) override { current_->setInBufferSize(bytes); }
    void setInputMode(int mode) override { current_->setInputMode(mode); }
    void setInputLen(int length) override { current_->setInputLen(length); }
    void setInBufferCount(int count) override { current_->setInBufferCount(count); }
    void setSThreshold(int threshold) override { current_->setSThreshold(threshold); }
    void setRThreshold(int threshold) override { current_->setRThreshold(threshold); }
    CommResult setSettings(const QString& settings) override;
    CommResult setPortOpen(bool open) override { return current_->setPortOpen(open); }
    bool portOpen() const override { return current_->portOpen(); }
    CommResult output(const QByteArray& bytes) override { return current_->output(bytes); }
    int commEvent() const override { return current_->commEvent(); }
    QByteArray input() override { return current_->input(); }
    // The line settings in force on the chosen port, as "9600,N,8,1".
    QString appliedSettings() const;

private:
    void follow(SerialControl& control);
    void retireNetwork();

    QtSerialControl local_;
    std::unique_ptr<NetworkSerialControl> network_; // the server of the last mapped port
    SerialControl* current_ = &local_;
    ServerMap servers_;
};
