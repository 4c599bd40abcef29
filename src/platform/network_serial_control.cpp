// SPDX-License-Identifier: MIT
#include "network_serial_control.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

namespace {
// What ser2net and similar servers send before closing on a second client.
bool saysInUse(const QByteArray& greeting) {
    return greeting.contains("in use") || greeting.contains("busy");
}

// After an agreement, how long to listen for the hang-up of a server that is busy.
constexpr int kHangUpMs = 50;
} // namespace

NetworkSerialControl::NetworkSerialControl(QObject* parent) : SerialControl(parent) {
    linger_.setSingleShot(true);
    connect(&linger_, &QTimer::timeout, this, &NetworkSerialControl::dropConnection);
    connect(&connection_, &TcpConnection::readyRead, this, &NetworkSerialControl::onReadyRead);
    connect(&connection_, &TcpConnection::failed, this, &NetworkSerialControl::onFailed);
}

void NetworkSerialControl::setServer(const ServerAddress& server) {
    if (server == server_)
        return;
    setPortOpen(false);
    dropConnection();
    server_ = server;
}

CommResult NetworkSerialControl::setCommPort(int /*port*/) {
    return {};
}

CommResult NetworkSerialControl::setSettings(const QString& settings) {
    const auto parsed = ParseLineSettings(settings);
    if (!parsed)
        return {CommError::kInvalidValue, tr("无效的线路参数：%1").arg(settings), server_.text()};
    settings_ = *parsed;
    settingsText_ = FormatLineSettings(settings_);
    if (open_)
        sendSettings();
    return {};
}

void NetworkSerialControl::sendSettings() {
    // A raw TCP server keeps its own line settings; only RFC 2217 carries them.
    if (server_.kind == ServerAddress::Kind::Rfc2217)
        connection_.write(TelnetComPort::EncodeSettings(settings_));
}

CommResult NetworkSerialControl::setPortOpen(bool open) {
    if (!open) {
        if (open_) {
            open_ = false;
            // A trial open is followed by the real one at once: keep the connection.
            if (connection_.isConnected())
                linger_.start(kLingerMs);
        }
        return {};
    }
    if (open_)
        return {CommError::kPortBusy, tr("已经打开"), server_.text()};
    if (!connection_.isConnected()) {
        const CommResult connected = connectNow();
        if (!connected.ok())
            return connected;
    }
    linger_.stop();
    received_.clear();
    open_ = true;
    sendSettings();
    return {};
}

// Connects and waits for the server's first words, with the event loop running so the
// window paints and takes clicks meanwhile.
CommResult NetworkSerialControl::connectNow() {
    if (connecting_)
        return {CommError::kPortBusy, tr("正在连接"), server_.text()};
    connecting_ = true;
    telnet_ = TelnetComPort();
    greeting_.clear();
    QEventLoop wait;
    QString failure;
    const auto stopOnFailure = connect(&connection_, &TcpConnection::failed, &wait,
                                       [&](TcpConnection::Failure, const QString& reason) {
                                           failure = reason;
                                           wait.quit();
                                       });
    const auto stopOnConnect =
        connect(&connection_, &TcpConnection::connected, &wait, &QEventLoop::quit);
    connection_.connectTo(server_.host, server_.port, kConnectTimeoutMs);
    if (failure.isEmpty() && !connection_.isConnected())
        wait.exec();
    disconnect(stopOnConnect);

    if (connection_.isConnected()) {
        if (server_.kind == ServerAddress::Kind::Rfc2217)
            connection_.write(telnet_.start());
        // A server serving someone else says so and hangs up at once; an RFC 2217 server
        // answers the COM-PORT-OPTION just as fast.
        QTimer grace;
        grace.setSingleShot(true);
        connect(&grace, &QTimer::timeout, &wait, &QEventLoop::quit);
        const auto stopOnAnswer = connect(&connection_, &TcpConnection::readyRead, &wait, [&] {
            if (telnet_.comPortRefused() || telnet_.failed() || saysInUse(greeting_))
                wait.quit();
            // Agreed: a server that serves someone else still hangs up right after.
            else if (telnet_.comPortAgreed() && grace.remainingTime() > kHangUpMs)
                grace.start(kHangUpMs);
        });
        grace.start(server_.kind == ServerAddress::Kind::Rfc2217 ? kRfc2217AgreementMs
                                                                 : kRawGreetingMs);
        wait.exec();
        disconnect(stopOnAnswer);
    }
    disconnect(stopOnFailure);
    connecting_ = false;

    if (saysInUse(greeting_)) {
        dropConnection();
        return {CommError::kPortBusy, QString::fromLatin1(greeting_).trimmed(), server_.text()};
    }
    if (!failure.isEmpty() || !connection_.isConnected()) {
        if (failure.isEmpty())
            failure = tr("服务器关闭了连接");
        return {CommError::kNoSuchPort, failure, server_.text()};
    }
    if (telnet_.failed()) {
        const QString why = tr("串口服务器的 Telnet 协商无效：%1").arg(telnet_.error());
        dropConnection();
        return {CommError::kOther, why, server_.text()};
    }
    if (server_.kind == ServerAddress::Kind::Rfc2217 && !telnet_.comPortAgreed()) {
        dropConnection();
        return {CommError::kOther,
                telnet_.comPortRefused()
                    ? tr("串口服务器不支持 RFC 2217 串口控制")
                    : tr("串口服务器没有回应 RFC 2217 协商（它是否只做 TCP 原样转发？）"),
                server_.text()};
    }
    return {};
}

void NetworkSerialControl::onReadyRead() {
    QByteArray bytes = connection_.readAll();
    if (server_.kind == ServerAddress::Kind::Rfc2217) {
        QByteArray answer;
        bytes = telnet_.feed(bytes, &answer);
        if (!answer.isEmpty())
            connection_.write(answer);
        if (telnet_.failed()) {
            onFailed(TcpConnection::Failure::Dropped,
                     tr("串口服务器的 Telnet 协商无效：%1").arg(telnet_.error()));
            return;
        }
    }
    if (!open_) {
        // Before the line is ours: only the server's own words, kept to tell why it hung up.
        greeting_ += bytes.left(256 - greeting_.size());
        return;
    }
    if (bytes.isEmpty())
        return;
    received_ += bytes;
    commEvent_ = CommEventCode::kReceive;
    emit OnComm();
}

void NetworkSerialControl::onFailed(TcpConnection::Failure /*failure*/, const QString& reason) {
    const bool wasOpen = open_;
    open_ = false;
    linger_.stop();
    connection_.close();
    if (wasOpen)
        emit portLost(reason, server_.text());
}

CommResult NetworkSerialControl::output(const QByteArray& bytes) {
    if (!open_)
        return {CommError::kNotOpen, tr("未连接"), server_.text()};
    const QByteArray wire =
        server_.kind == ServerAddress::Kind::Rfc2217 ? TelnetComPort::EncodeData(bytes) : bytes;
    if (!connection_.write(wire))
        return {CommError::kIoFailure, tr("连接已断开"), server_.text()};
    return {};
}

QByteArray NetworkSerialControl::input() {
    QByteArray bytes;
    bytes.swap(received_);
    return bytes;
}

void NetworkSerialControl::dropConnection() {
    linger_.stop();
    connection_.close();
}
