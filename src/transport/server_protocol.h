// SPDX-License-Identifier: MIT
#pragma once

#include "line_settings.h"
#include "server_address.h"

#include <QByteArray>
#include <QString>
#include <memory>

// How one kind of serial device server carries the line over a TCP connection: what goes
// first, how the line's bytes and settings go on the wire, what comes back, and whether the
// server has taken the line. Pure: bytes in, bytes out; the connection is
// NetworkSerialControl's. One class per kind; MakeServerProtocol picks it.
class ServerProtocol {
public:
    enum class Agreement {
        Waiting, // nothing decisive yet
        Agreed,  // the server has taken the line
        Refused, // it refused, or broke the protocol: refusal() says why
    };

    virtual ~ServerProtocol() = default;

    // Sent as soon as the connection stands.
    virtual QByteArray start() { return {}; }
    // How long the server may take, once connected, to agree, or to say that it serves
    // someone else.
    virtual int answerWindowMs() const = 0;
    // The line's bytes as they go on the wire.
    virtual QByteArray encodeData(const QByteArray& data) = 0;
    // The line settings as the server takes them; empty for a server that keeps its own.
    virtual QByteArray encodeSettings(const LineSettings& /*settings*/) const { return {}; }
    // Takes bytes from the server: returns the line's bytes in them and appends to *answer
    // what must go back.
    virtual QByteArray decode(const QByteArray& bytes, QByteArray* answer) = 0;
    virtual Agreement agreement() const = 0;
    // Why the server cannot serve the line: once Refused, or when the answer window ends
    // with the server still Waiting (empty then: its silence is consent).
    virtual QString refusal() const = 0;
};

// The protocol of a kind of server, fresh for a new connection.
std::unique_ptr<ServerProtocol> MakeServerProtocol(ServerAddress::Kind kind);
