// SPDX-License-Identifier: MIT
#pragma once

#include "mbap_frame.h"
#include "raw_tcp_protocol.h"
#include "server_protocol.h"

// A gateway in "Modbus TCP gateway" mode: each RTU request goes out as a Modbus TCP request
// with a transaction id of its own, the sensor's address as unit id and no CRC, and only the
// answer to it comes back, as the RTU frame with its CRC computed here; everything above
// keeps seeing RTU frames. One request is awaited at a time: a new one makes an answer still
// due to the last stale, so a late answer cannot pass for the next. The gateway keeps its
// own line settings and, like a raw server, has nothing to agree to.
class ModbusTcpProtocol final : public ServerProtocol {
public:
    int answerWindowMs() const override { return RawTcpProtocol::kAnswerWindowMs; }
    QByteArray encodeData(const QByteArray& data) override;
    QByteArray decode(const QByteArray& bytes, QByteArray* answer) override;
    Agreement agreement() const override { return Agreement::Waiting; }
    QString refusal() const override { return {}; }

private:
    MbapAnswerReader answers_;
    quint16 lastTransaction_ = 0;
};
