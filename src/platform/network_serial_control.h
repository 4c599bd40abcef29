// SPDX-License-Identifier: MIT
#pragma once

#include "line_settings.h"
#include "serial_control.h"
#include "server_address.h"
#include "telnet_com_port.h"

#include <QTcpSocket>
#include <QTimer>

// The serial-port control for a port mapped to a serial device server: opening connects
// (the window keeps painting meanwhile), the line settings go to an RFC 2217 server as
// COM-PORT-OPTION commands, and the bytes pass both ways, Telnet-escaped where the kind
// needs it. A dropped connection is a lost port.
class NetworkSerialControl final : public SerialControl {
    Q_OBJECT
public:
    static constexpr int kConnectTimeoutMs = 3000;
    // How long a raw server may take to say it serves someone else, and an RFC 2217
    // server to agree to the COM-PORT-OPTION.
    static constexpr int kRawGreetingMs = 200;
    static constexpr int kRfc2217AgreementMs = 1000;
    // A connection closed by a trial open is kept this long for the real open that follows.
    static constexpr int kLingerMs = 2000;

    explicit NetworkSerialControl(QObject* parent = nullptr);

    void setServer(const ServerAddress& server);
    const ServerAddress& server() const { return server_; }

    CommResult setCommPort(int port) override;
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
    QString appliedSettings() const { return settingsText_; }

signals:
    // The connection failed or ended; failure_ says why.
    void dropped();

private:
    CommResult connectNow();
    void onReadyRead();
    void onFailed(const QString& reason);
    void sendSettings();
    void dropConnection();
    bool connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }

    ServerAddress server_;
    QTcpSocket socket_;
    QTimer connectDeadline_;
    TelnetComPort telnet_;
    QTimer linger_;
    QByteArray received_;
    QString failure_;     // why the connection last failed
    QByteArray greeting_; // what the server said before the line was ours
    QString settingsText_ = QStringLiteral("9600,N,8,1");
    LineSettings settings_;
    int commEvent_ = 0;
    bool open_ = false;
    bool connecting_ = false;
};
