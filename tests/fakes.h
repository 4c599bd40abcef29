// SPDX-License-Identifier: MIT
#pragma once

#include "menu/services.h"
#include "message_sink.h"
#include "serial_control.h"
#include "serial_devices.h"
#include "web_launcher.h"

#include <QStringList>
#include <deque>
#include <vector>

// A serial-port control that records what it is asked and answers from a script.
class FakeSerialControl final : public SerialControl {
    Q_OBJECT
public:
    // Result for the next opens (trial and real), first in first out; success when empty.
    std::deque<CommResult> openResults;
    CommResult settingsResult;
    CommResult outputResult;

    QStringList calls;               // e.g. "CommPort=3", "PortOpen=1", "Settings=9600,N,8,1"
    std::vector<QByteArray> written; // every Output
    bool open = false;

    // Delivers bytes through a receive event, as the port would.
    void receive(const QByteArray& bytes);
    // Bytes the port has taken in but not announced yet: the next input() returns them.
    void hold(const QByteArray& bytes) { buffer_ += bytes; }
    void raiseEvent(int code);
    void loseLine(const QString& reason);

    CommResult setCommPort(int port) override;
    void setOutBufferSize(int bytes) override {
        calls << QStringLiteral("OutBufferSize=%1").arg(bytes);
    }
    void setInBufferSize(int bytes) override {
        calls << QStringLiteral("InBufferSize=%1").arg(bytes);
    }
    void setInputMode(int mode) override { calls << QStringLiteral("InputMode=%1").arg(mode); }
    void setInputLen(int length) override { calls << QStringLiteral("InputLen=%1").arg(length); }
    void setInBufferCount(int count) override {
        calls << QStringLiteral("InBufferCount=%1").arg(count);
    }
    void setSThreshold(int threshold) override {
        calls << QStringLiteral("SThreshold=%1").arg(threshold);
    }
    void setRThreshold(int threshold) override {
        calls << QStringLiteral("RThreshold=%1").arg(threshold);
    }
    CommResult setSettings(const QString& settings) override;
    CommResult setPortOpen(bool open) override;
    bool portOpen() const override { return open; }
    CommResult output(const QByteArray& bytes) override;
    int commEvent() const override { return event_; }
    QByteArray input() override;

private:
    int event_ = 0;
    QByteArray buffer_;
};

class RecordingMessages final : public MessageSink {
public:
    QStringList shown;
    QStringList reasons; // the sentence beneath each, empty where there was none
    using MessageSink::show;
    void show(const QString& text, const QString& reason) override {
        shown << text;
        reasons << reason;
    }
};

class RecordingWebLauncher final : public WebLauncher {
public:
    QStringList opened;
    bool succeed = true;
    bool open(const QString& address) override {
        opened << address;
        return succeed;
    }
};

class FakeSerialDevices final : public SerialDevices {
public:
    std::vector<SerialDeviceInfo> devices;
    std::vector<SerialDeviceInfo> available() const override { return devices; }
};

// The platform but the serial service, as fakes that record what the window asked of them.
struct FakePlatform {
    RecordingMessages messages;
    RecordingWebLauncher web;
    FakeSerialDevices devices;
};
