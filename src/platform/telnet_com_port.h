// SPDX-License-Identifier: MIT
#pragma once

#include "line_settings.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The client side of Telnet with the COM-PORT-OPTION (RFC 2217), as a serial device server
// speaks it: option negotiation, IAC escaping both ways, the commands that set the line's
// rate, data size, parity and stop size, and the server's answers to them. Pure: bytes in,
// bytes out; the connection is someone else's.
class TelnetComPort {
public:
    // What to send first: we will speak COM-PORT-OPTION and binary, and want binary back.
    QByteArray start();
    // Data for the line, with every 0xFF doubled.
    static QByteArray EncodeData(const QByteArray& data);
    // The four commands that set the line (rate, data size, parity, stop size).
    static QByteArray EncodeSettings(const LineSettings& settings);

    // Takes bytes from the server: returns the line's data in them and appends to *answer
    // what must go back (replies to the server's negotiation). After a malformed sequence
    // it takes nothing more and error() says why.
    QByteArray feed(const QByteArray& bytes, QByteArray* answer);

    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }
    // The server agreed to (DO) or refused (DONT) the COM-PORT-OPTION.
    bool comPortAgreed() const { return comPortAgreed_; }
    bool comPortRefused() const { return comPortRefused_; }
    // The rate the server last reported it set.
    std::optional<qint32> serverBaud() const { return serverBaud_; }

private:
    enum class State { Data, Iac, Option, Subnegotiation, SubIac };
    void negotiate(quint8 command, quint8 option, QByteArray* answer);
    void subnegotiation();
    void fail(const QString& why);

    State state_ = State::Data;
    quint8 command_ = 0;
    QByteArray sub_;
    QString error_;
    bool comPortAgreed_ = false;
    bool comPortRefused_ = false;
    bool weWill_[256] = {};
    bool theyWill_[256] = {};
    std::optional<qint32> serverBaud_;
};
