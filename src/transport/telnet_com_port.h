// SPDX-License-Identifier: MIT
#pragma once

#include "server_protocol.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// The client side of Telnet with the COM-PORT-OPTION (RFC 2217), as a serial device server
// speaks it: option negotiation, IAC escaping both ways, the commands that set the line's
// rate, data size, parity and stop size. Pure: bytes in, bytes out; the connection is
// someone else's.
class TelnetComPort final : public ServerProtocol {
    Q_DECLARE_TR_FUNCTIONS(TelnetComPort)
public:
    // ser2net and its kind answer at once; a slow embedded server within this.
    static constexpr int kAnswerWindowMs = 1000;

    // What to send first: we will speak COM-PORT-OPTION and binary, and want binary back.
    QByteArray start() override;
    int answerWindowMs() const override { return kAnswerWindowMs; }
    QByteArray encodeData(const QByteArray& data) override { return EncodeData(data); }
    QByteArray encodeSettings(const LineSettings& settings) const override {
        return EncodeSettings(settings);
    }
    // Returns the line's data in bytes and appends to *answer the replies to the server's
    // negotiation. After a malformed sequence it takes nothing more and error() says why.
    QByteArray decode(const QByteArray& bytes, QByteArray* answer) override;
    Agreement agreement() const override;
    QString refusal() const override;

    // Data for the line, with every 0xFF doubled.
    static QByteArray EncodeData(const QByteArray& data);
    // The four commands that set the line (rate, data size, parity, stop size).
    static QByteArray EncodeSettings(const LineSettings& settings);

    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }
    // The server agreed to (DO) or refused (DONT) the COM-PORT-OPTION.
    bool comPortAgreed() const { return comPortAgreed_; }
    bool comPortRefused() const { return comPortRefused_; }

private:
    enum class State { Data, Iac, Option, Subnegotiation, SubIac };
    void negotiate(quint8 command, quint8 option, QByteArray* answer);
    void fail(const QString& why);

    State state_ = State::Data;
    quint8 command_ = 0;
    QByteArray sub_;
    QString error_;
    bool comPortAgreed_ = false;
    bool comPortRefused_ = false;
    bool weWill_[256] = {};
    bool theyWill_[256] = {};
};
