// SPDX-License-Identifier: MIT
#pragma once

#include "serial_control.h"

#include <QSerialPort>

// The serial-port control on top of QSerialPort.
class QtSerialControl final : public SerialControl {
    Q_OBJECT
public:
    // portFolder is where COMn links are looked up; empty means the working directory.
    explicit QtSerialControl(QString portFolder = {}, QObject* parent = nullptr);

    CommResult setCommPort(int port) override;
    void setOutBufferSize(int bytes) override { outBufferSize_ = bytes; }
    void setInBufferSize(int bytes) override;
    void setInputMode(int mode) override { inputMode_ = mode; }
    void setInputLen(int length) override { inputLen_ = length; }
    void setInBufferCount(int count) override;
    void setSThreshold(int threshold) override { sThreshold_ = threshold; }
    void setRThreshold(int threshold) override { rThreshold_ = threshold; }
    CommResult setSettings(const QString& settings) override;
    CommResult setPortOpen(bool open) override;
    bool portOpen() const override { return port_.isOpen(); }
    CommResult output(const QByteArray& bytes) override;
    int commEvent() const override { return commEvent_; }
    QByteArray input() override;
    // The settings QSerialPort holds for the line, as "9600,N,8,1".
    QString appliedSettings() const;

private:
    void raise(int eventCode);
    void onError(QSerialPort::SerialPortError error);
    CommResult openFailure(const QString& path);
    QString folder() const;

    QSerialPort port_;
    QString portFolder_;
    QString device_; // the path last opened
    QString settingsText_ = QStringLiteral("9600,N,8,1");
    int commPort_ = 1;
    int outBufferSize_ = 512;
    int inputMode_ = 0;
    int inputLen_ = 0;
    int sThreshold_ = 0;
    int rThreshold_ = 0;
    int commEvent_ = 0;
    bool writing_ = false;
};
