// SPDX-License-Identifier: MIT
#pragma once

#include "line_settings.h"
#include "serial_control.h"
#include "server_address.h"
#include "server_protocol.h"

#include <QTcpSocket>
#include <QTimer>
#include <memory>

// The serial-port control for a port mapped to a serial device server. Opening connects
// and waits for the server's first words with the event loop running (setPortOpen answers
// Pending, openFinished follows); the server's protocol carries the line's bytes and
// settings. A server that serves another client says so and hangs up: the port is busy.
// A connection closed by a trial open is kept a while for the real open that follows. A
// dropped connection is a lost port.
class NetworkSerialControl final : public SerialControl {
    Q_OBJECT
public:
    static constexpr int kConnectTimeoutMs = 3000;
    // A connection closed by a trial open is kept this long for the real open that follows.
    static constexpr int kLingerMs = 2000;
    // After the server agreed, how long to listen for the hang-up of a server that is busy.
    static constexpr int kHangUpMs = 50;

    explicit NetworkSerialControl(ServerAddress server, QObject* parent = nullptr);
    ~NetworkSerialControl() override;

    const ServerAddress& server() const { return server_; }
    // Closes the port and the connection at once, a lingering one included.
    void hangUp();

    CommResult setCommPort(int) override { return {}; }
    void setOutBufferSize(int) override {}
    void setInBufferSize(int) override {}
    void setInputMode(int) override {}
    void setInputLen(int) override {}
    void setInBufferCount(int) override { received_.clear(); }
    void setSThreshold(int) override {}
    void setRThreshold(int) override {}
    CommResult setSettings(const QString& settings) override;
    CommResult setPortOpen(bool open) override;
    bool portOpen() const override { return open_; }
    CommResult output(const QByteArray& bytes) override;
    int commEvent() const override { return commEvent_; }
    QByteArray input() override;
    // The line settings last asked for, as "9600,N,8,1".
    QString appliedSettings() const { return FormatLineSettings(settings_); }

private:
    enum class Stage {
        Idle,       // no connection
        Connecting, // looking the name up and connecting
        Answering,  // connected, waiting for the server's first words
        Ready,      // the line is ours: open, or lingering after a close
    };

    void beginOpen();
    void onConnected();
    void onReadyRead();
    void onSocketFailed(const QString& reason);
    void onDeadline();
    void finishOpen(const CommResult& result);
    void sendSettings();
    void drop();
    CommResult result(int code, const QString& reason) const;

    ServerAddress server_;
    std::unique_ptr<ServerProtocol> protocol_;
    QTcpSocket socket_;
    QTimer deadline_; // of the connect, then of the server's answer
    QTimer linger_;
    Stage stage_ = Stage::Idle;
    int attempt_ = 0; // tells a finished open from one given up since
    QByteArray received_;
    QByteArray greeting_; // what the server said before the line was ours
    LineSettings settings_;
    int commEvent_ = 0;
    bool open_ = false;
};
