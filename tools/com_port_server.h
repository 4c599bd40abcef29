// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <optional>

// The server side of Telnet with the COM-PORT-OPTION (RFC 2217), as a serial device server
// in front of the virtual sensor speaks it: it agrees to the options a client asks for,
// takes the line settings (SET-BAUDRATE, SET-DATASIZE, SET-PARITY, SET-STOPSIZE) and answers
// each, and unescapes the data. Pure: bytes in, bytes out.
class ComPortServer {
public:
    // The line as the client set it; unset until it says.
    struct Line {
        std::optional<int> baud;
        std::optional<int> dataBits;
        std::optional<char> parity; // N, O, E, M or S
        std::optional<int> stopBits;
    };

    // The line's data in bytes; *answer gets what to send back.
    QByteArray decode(const QByteArray& bytes, QByteArray* answer);
    // Data for the client, with every 0xFF doubled.
    static QByteArray encode(const QByteArray& data);
    const Line& line() const { return line_; }

private:
    enum class State { Data, Iac, Option, Subnegotiation, SubIac };
    void negotiate(quint8 verb, quint8 option, QByteArray* answer);
    void setting(QByteArray* answer);

    State state_ = State::Data;
    quint8 verb_ = 0;
    QByteArray sub_;
    Line line_;
};
