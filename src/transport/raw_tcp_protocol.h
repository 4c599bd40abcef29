// SPDX-License-Identifier: MIT
#pragma once

#include "server_protocol.h"

// A server in raw TCP ("TCP server", "transparent") mode: the bytes pass unchanged both
// ways and the server keeps its own line settings. It has nothing to agree to; a short
// wait after connecting hears a server that says it serves someone else.
class RawTcpProtocol final : public ServerProtocol {
public:
    static constexpr int kAnswerWindowMs = 200;

    int answerWindowMs() const override { return kAnswerWindowMs; }
    QByteArray encodeData(const QByteArray& data) override { return data; }
    QByteArray decode(const QByteArray& bytes, QByteArray* /*answer*/) override { return bytes; }
    Agreement agreement() const override { return Agreement::Waiting; }
    QString refusal() const override { return {}; }
};
