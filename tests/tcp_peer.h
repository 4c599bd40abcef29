// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

// A TCP server on 127.0.0.1 standing in for a serial device server: it answers each
// connection in one manner, keeps what clients send, and counts connections.
class TcpPeer final : public QTcpServer {
    Q_OBJECT
public:
    enum class Manner {
        Listen,               // sends the greeting, if any, and listens
        SayBusyAndHangUp,     // sends the greeting and hangs up
        HangUpAtOnce,         // closes each connection as it comes
        HangUpMidNegotiation, // answers the client's first bytes with more Telnet
                              // negotiation than one read takes, then hangs up
    };
    // ser2net's Telnet greeting, with its agreement to the COM-PORT-OPTION.
    static QByteArray Ser2netGreeting() {
        return QByteArray::fromHex("fffb03fffd03fffb01fffe01fffd00fffb00fffd2c");
    }

    explicit TcpPeer(Manner manner = Manner::Listen, QByteArray greeting = {});

    // Called after the peer has hung up on a client.
    std::function<void()> hungUp = [] {};
    int accepted = 0;
    QByteArray received; // all that clients sent

    // The latest client's connection stands.
    bool clientConnected() const;
    void hangUpOnClient();
    // Says bytes to the latest client, as a gateway answers a request.
    void sendToClient(const QByteArray& bytes);

private:
    void take();

    Manner manner_;
    QByteArray greeting_;
    QPointer<QTcpSocket> client_;
};
