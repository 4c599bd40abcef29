// SPDX-License-Identifier: MIT
#include "tcp_peer.h"

namespace {
void hangUp(QTcpSocket* client) {
    client->flush();
    client->close();
    client->deleteLater();
}
} // namespace

TcpPeer::TcpPeer(Manner manner, QByteArray greeting)
    : manner_(manner), greeting_(std::move(greeting)) {
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, &TcpPeer::take);
}

void TcpPeer::take() {
    while (QTcpSocket* client = nextPendingConnection()) {
        ++accepted;
        client_ = client;
        if (!greeting_.isEmpty())
            client->write(greeting_);
        if (manner_ == Manner::HangUpAtOnce || manner_ == Manner::SayBusyAndHangUp) {
            hangUp(client);
            hungUp();
            continue;
        }
        connect(client, &QTcpSocket::readyRead, this, [this, client] {
            received += client->readAll();
            if (manner_ != Manner::HangUpMidNegotiation)
                return;
            // WILL TERMINAL-TYPE, which the tool refuses each time.
            client->write(QByteArray::fromHex("fffb18").repeated(4000));
            hangUp(client);
            hungUp();
        });
    }
}

bool TcpPeer::clientConnected() const {
    return client_ && client_->state() == QAbstractSocket::ConnectedState;
}

void TcpPeer::hangUpOnClient() {
    if (client_)
        hangUp(client_);
}

void TcpPeer::sendToClient(const QByteArray& bytes) {
    if (client_)
        client_->write(bytes);
}
