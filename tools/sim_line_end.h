// SPDX-License-Identifier: MIT
#pragma once

#include "com_port_server.h"
#include "pty_link.h"
#include "virtual_sensor.h"

#include <QByteArray>
#include <string>
#include <sys/types.h>

// The sensor side of the line as the sim reaches it: a pseudo-terminal, or an RFC 2217
// endpoint that is told the line's format as a serial server would be.
class SimLineEnd {
public:
    virtual ~SimLineEnd() = default;
    // Waits up to timeoutMs for the line's bytes and appends them to *received; false on a
    // failure it cannot go on from.
    virtual bool wait(int timeoutMs, QByteArray* received) = 0;
    // Puts bytes on the line; how many went (all when nobody listens: they are lost).
    virtual ssize_t send(const QByteArray& bytes) = 0;
    // The rate and parity the tool set, as far as this end is told them.
    virtual HeardLine heard() const = 0;
    // Bits a character takes at the line's setting: start, data, parity, stop.
    virtual int characterBits() const = 0;
};

class PtyLineEnd final : public SimLineEnd {
public:
    explicit PtyLineEnd(const PtyLink& link) : link_(link) {}
    bool wait(int timeoutMs, QByteArray* received) override;
    ssize_t send(const QByteArray& bytes) override;
    // The rate from our own descriptor of the device side; a pseudo-terminal keeps no parity.
    HeardLine heard() const override;
    int characterBits() const override;

private:
    const PtyLink& link_;
};

// Listens on 127.0.0.1 and serves one client at a time; a new client replaces the last.
class ComPortLineEnd final : public SimLineEnd {
public:
    ComPortLineEnd() = default;
    ComPortLineEnd(const ComPortLineEnd&) = delete;
    ComPortLineEnd& operator=(const ComPortLineEnd&) = delete;
    ~ComPortLineEnd() override;

    // Port 0 takes any free one; false with *error set when it cannot listen.
    bool listen(int port, std::string* error);
    int port() const { return port_; }
    bool wait(int timeoutMs, QByteArray* received) override;
    ssize_t send(const QByteArray& bytes) override;
    HeardLine heard() const override;
    int characterBits() const override;

private:
    void dropClient();

    int listener_ = -1;
    int client_ = -1;
    int port_ = 0;
    ComPortServer server_;
};
