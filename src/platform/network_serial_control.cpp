// SPDX-License-Identifier: MIT
#include "network_serial_control.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalBlocker>

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
    connectDeadline_.setSingleShot(true);
    connect(&linger_, &QTimer::timeout, this, &NetworkSerialControl::dropConnection);
    connect(&socket_, &QTcpSocket::readyRead, this, &NetworkSerialControl::onReadyRead);
    // A hang-up while writing is an error like any other: Qt's sockets never raise SIGPIPE.
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        onFailed(error == QAbstractSocket::RemoteHostClosedError ? tr("服务器关闭了连接")
                                                                 : socket_.errorString());
    });
    connect(&socket_, &QTcpSocket::disconnected, this,
            [this] { onFailed(tr("服务器关闭了连接")); });
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
        socket_.write(TelnetComPort::EncodeSettings(settings_));
}

CommResult NetworkSerialControl::setPortOpen(bool open) {
    if (!open) {
        if (open_) {
            open_ = false;
            // A trial open is followed by the real one at once: keep the connection.
            if (connected())
                linger_.start(kLingerMs);
        }
        return {};
    }
    if (open_)
        return {CommError::kPortBusy, tr("已经打开"), server_.text()};
    if (!connected()) {
        const CommResult result = connectNow();
        if (!result.ok())
            return result;
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
    failure_.clear();
    const auto stopOnFailure =
        connect(this, &NetworkSerialControl::dropped, &wait, &QEventLoop::quit);
    const auto stopOnTimeout = connect(&connectDeadline_, &QTimer::timeout, &wait, [&] {
        onFailed(tr("连接超时"));
        wait.quit();
    });
    const auto stopOnConnect = connect(&socket_, &QTcpSocket::connected, &wait, &QEventLoop::quit);
    dropConnection();
    connectDeadline_.start(kConnectTimeoutMs);
    socket_.connectToHost(server_.host, server_.port);
    if (failure_.isEmpty() && !connected())
        wait.exec();
    connectDeadline_.stop();
    disconnect(stopOnConnect);
    disconnect(stopOnTimeout);

    if (connected()) {
        if (server_.kind == ServerAddress::Kind::Rfc2217)
            socket_.write(telnet_.start());
        // A server serving someone else says so and hangs up at once; an RFC 2217 server
        // answers the COM-PORT-OPTION just as fast.
        QTimer grace;
        grace.setSingleShot(true);
        connect(&grace, &QTimer::timeout, &wait, &QEventLoop::quit);
        const auto stopOnAnswer = connect(&socket_, &QTcpSocket::readyRead, &wait, [&] {
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
    if (!failure_.isEmpty() || !connected()) {
        const QString why = failure_.isEmpty() ? tr("服务器关闭了连接") : failure_;
        return {CommError::kNoSuchPort, why, server_.text()};
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
    QByteArray bytes = socket_.readAll();
    if (server_.kind == ServerAddress::Kind::Rfc2217) {
        QByteArray answer;
        bytes = telnet_.feed(bytes, &answer);
        if (!answer.isEmpty())
            socket_.write(answer);
        if (telnet_.failed()) {
            onFailed(tr("串口服务器的 Telnet 协商无效：%1").arg(telnet_.error()));
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

void NetworkSerialControl::onFailed(const QString& reason) {
    const bool wasOpen = open_;
    open_ = false;
    failure_ = reason;
    dropConnection();
    emit dropped();
    if (wasOpen)
        emit portLost(reason, server_.text());
}

CommResult NetworkSerialControl::output(const QByteArray& bytes) {
    if (!open_)
        return {CommError::kNotOpen, tr("未连接"), server_.text()};
    const QByteArray wire =
        server_.kind == ServerAddress::Kind::Rfc2217 ? TelnetComPort::EncodeData(bytes) : bytes;
    if (!connected() || socket_.write(wire) != wire.size())
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
    connectDeadline_.stop();
    // Said nothing: whoever drops it knows why.
    const QSignalBlocker quiet(socket_);
    socket_.abort();
}
