// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// Modbus TCP, as a Modbus TCP gateway speaks it: the MBAP header in place of the RTU frame's
// address and CRC. The gateway puts the RTU frame on its serial side for the unit id.
namespace Mbap {
constexpr int kHeader = 7;        // transaction id, protocol id, length, unit id
constexpr int kCountedHeader = 6; // the length counts what follows it: unit id and PDU
constexpr int kMaxPdu = 253;      // the RTU frame's 256 bytes less address and CRC
constexpr quint16 kProtocolModbus = 0;
constexpr quint16 kTcpPort = 502; // where gateways listen unless set otherwise
} // namespace Mbap

// The Modbus TCP request for an RTU request: its address becomes the unit id, its function
// and data (the PDU) follow without the CRC. Empty when rtu holds no function code.
QByteArray MbapRequest(quint16 transactionId, const QByteArray& rtu);

// Reads a gateway's answers from its byte stream and gives back the answer to the request in
// flight as the RTU frame a sensor would have sent: the unit id as address, the PDU, and the
// CRC computed on this side (it is not on the wire). Answers with another transaction id,
// a second answer to one request and frames of another protocol are dropped.
class MbapAnswerReader {
public:
    // A request with this transaction id went out; answers to earlier ones are stale now.
    void expect(quint16 transactionId);
    // Adds what arrived; returns the RTU frame once the awaited answer is complete, else
    // nothing. Partial frames wait for the rest.
    QByteArray read(const QByteArray& bytes);
    void clear();
    // Answers dropped since the reader was made.
    int dropped() const { return dropped_; }

private:
    QByteArray buffer_;
    std::optional<quint16> awaited_;
    int dropped_ = 0;
};
