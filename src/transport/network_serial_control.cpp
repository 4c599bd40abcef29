// SPDX-License-Identifier: MIT
#include "network_serial_control.h"

#include <QSignalBlocker>

namespace {
// What ser2net and similar servers send before closing on a second client.
bool saysInUse(const QByteArray& greeting) {
    return greeting.contains("in use") || greeting.contains("busy");
}

// Enough of a greeting to tell why the server hung up.
constexpr qsizetype kGreetingBytes = 256;
} // namespace

NetworkSerialControl::NetworkSerialControl(ServerAddress server, QObject* parent)
    : SerialControl(parent), server_(std::move(server)) {
    deadline_.setSingleShot(true);
    linger_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &NetworkSerialControl::onDeadline);
    connect(&linger_, &QTimer::timeout, this, &NetworkSerialControl::drop);
    connect(&socket_, &QTcpSocket::connected, this, &NetworkSerialControl::onConnected);
    connect(&socket_, &QTcpSocket::readyRead, this, &NetworkSerialControl::onReadyRead);
    // A hang-up while the tool writes is an error like any other: Qt's sockets never raise
    // SIGPIPE.
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        onSocketFailed(error == QAbstractSocket::RemoteHostClosedError ? tr("服务器关闭了连接")
                                                                       : socket_.errorString());
    });
    connect(&socket_, &QTcpSocket::disconnected, this,
            [this] { onSocketFailed(tr("服务器关闭了连接")); });
}

NetworkSerialControl::~NetworkSerialControl() {
    drop();
}

CommResult NetworkSerialControl::result(int code, const QString& reason) const {
    CommResult made{code, reason, server_.text()};
    made.viaServer = true;
    return made;
}

CommResult NetworkSerialControl::setSettings(const QString& settings) {
    const auto parsed = ParseLineSettings(settings);
    if (!parsed)
        return result(CommError::kInvalidValue, tr("无效的线路参数：%1").arg(settings));
    settings_ = *parsed;
    if (open_)
        sendSettings();
    return {};
}

void NetworkSerialControl::sendSettings() {
    const QByteArray command = protocol_->encodeSettings(settings_);
    if (!command.isEmpty())
        socket_.write(command);
}

CommResult NetworkSerialControl::setPortOpen(bool open) {
    if (!open) {
        if (stage_ == Stage::Connecting || stage_ == Stage::Answering) {
            drop(); // given up: nothing follows
        } else if (open_) {
            open_ = false;
            // A trial open is followed by the real one at once: keep the connection.
            linger_.start(kLingerMs);
        }
        return {};
    }
    switch (stage_) {
    case Stage::Idle:
        beginOpen();
        return CommResult::Pending();
    case Stage::Connecting:
    case Stage::Answering:
        return CommResult::Pending(); // the open under way tells
    case Stage::Ready:
        break;
    }
    if (open_)
        return result(CommError::kPortBusy, tr("已经打开"));
    linger_.stop();
    received_.clear();
    open_ = true;
    sendSettings();
    return {};
}

void NetworkSerialControl::beginOpen() {
    ++attempt_;
    protocol_ = MakeServerProtocol(server_.kind);
    greeting_.clear();
    stage_ = Stage::Connecting;
    deadline_.start(kConnectTimeoutMs);
    socket_.connectToHost(server_.host, server_.port);
}

// Connected: a server serving someone else says so and hangs up at once; one that speaks
// a protocol answers its start just as fast.
void NetworkSerialControl::onConnected() {
    if (stage_ != Stage::Connecting)
        return;
    stage_ = Stage::Answering;
    const QByteArray start = protocol_->start();
    if (!start.isEmpty())
        socket_.write(start);
    deadline_.start(protocol_->answerWindowMs());
}

void NetworkSerialControl::onReadyRead() {
    QByteArray answer;
    const QByteArray bytes = protocol_->decode(socket_.readAll(), &answer);
    if (!answer.isEmpty())
        socket_.write(answer);
    if (stage_ == Stage::Answering) {
        greeting_ += bytes.left(kGreetingBytes - greeting_.size());
        if (saysInUse(greeting_) || protocol_->agreement() == ServerProtocol::Agreement::Refused) {
            onDeadline(); // decided without waiting
        } else if (protocol_->agreement() == ServerProtocol::Agreement::Agreed &&
                   deadline_.remainingTime() > kHangUpMs) {
            // Agreed: a server that serves someone else still hangs up right after.
            deadline_.start(kHangUpMs);
        }
        return;
    }
    if (stage_ != Stage::Ready)
        return;
    if (protocol_->agreement() == ServerProtocol::Agreement::Refused) {
        onSocketFailed(protocol_->refusal());
        return;
    }
    // Before the real open, what a lingering connection hears is nobody's.
    if (!open_ || bytes.isEmpty())
        return;
    received_ += bytes;
    commEvent_ = CommEventCode::kReceive;
    emit OnComm();
}

// The wait of the stage ends: the connect's as a time-out, the answer's with a verdict.
void NetworkSerialControl::onDeadline() {
    if (stage_ == Stage::Connecting) {
        finishOpen(result(CommError::kNoSuchPort, tr("连接超时")));
        return;
    }
    if (stage_ != Stage::Answering)
        return;
    if (saysInUse(greeting_)) {
        finishOpen(result(CommError::kPortBusy, QString::fromLatin1(greeting_).trimmed()));
        return;
    }
    const QString refusal = protocol_->refusal();
    switch (protocol_->agreement()) {
    case ServerProtocol::Agreement::Refused:
        finishOpen(result(CommError::kOther, refusal));
        return;
    case ServerProtocol::Agreement::Waiting:
        // Reached, but it does not speak the kind it is mapped as: as good as no server.
        if (!refusal.isEmpty()) {
            finishOpen(result(CommError::kNoSuchPort, refusal));
            return;
        }
        break;
    case ServerProtocol::Agreement::Agreed:
        break;
    }
    stage_ = Stage::Ready;
    received_.clear();
    open_ = true;
    sendSettings();
    finishOpen({});
}

void NetworkSerialControl::onSocketFailed(const QString& reason) {
    switch (stage_) {
    case Stage::Idle:
        return;
    case Stage::Connecting:
        finishOpen(result(CommError::kNoSuchPort, reason));
        return;
    case Stage::Answering:
        // A busy server's words come before its hang-up.
        if (saysInUse(greeting_))
            onDeadline();
        else
            finishOpen(result(CommError::kNoSuchPort, reason));
        return;
    case Stage::Ready:
        break;
    }
    const bool wasOpen = open_;
    drop();
    if (wasOpen)
        emit portLost(reason, server_.text());
}

// Tells from the event loop, never from inside setPortOpen, and only while the open is
// still wanted.
void NetworkSerialControl::finishOpen(const CommResult& result) {
    deadline_.stop();
    if (!result.ok()) {
        stage_ = Stage::Idle; // ended, not given up
        drop();
    }
    const int attempt = attempt_;
    QMetaObject::invokeMethod(
        this,
        [this, attempt, result] {
            if (attempt == attempt_)
                emit openFinished(result);
        },
        Qt::QueuedConnection);
}

CommResult NetworkSerialControl::output(const QByteArray& bytes) {
    if (!open_)
        return result(CommError::kNotOpen, tr("未连接"));
    const QByteArray wire = protocol_->encodeData(bytes);
    if (socket_.write(wire) != wire.size())
        return result(CommError::kIoFailure, tr("连接已断开"));
    return {};
}

QByteArray NetworkSerialControl::input() {
    QByteArray bytes;
    bytes.swap(received_);
    return bytes;
}

void NetworkSerialControl::hangUp() {
    drop();
}

void NetworkSerialControl::drop() {
    if (stage_ == Stage::Connecting || stage_ == Stage::Answering)
        ++attempt_; // an open under way is given up
    stage_ = Stage::Idle;
    open_ = false;
    deadline_.stop();
    linger_.stop();
    // Says nothing: whoever drops it knows why.
    const QSignalBlocker quiet(socket_);
    socket_.abort();
}
