// SPDX-License-Identifier: MIT
#include "modbus_tcp_protocol.h"

QByteArray ModbusTcpProtocol::encodeData(const QByteArray& data) {
    const QByteArray request = MbapRequest(++lastTransaction_, data);
    // Not an RTU request: nothing goes out, and nothing is awaited for it.
    if (!request.isEmpty())
        answers_.expect(lastTransaction_);
    return request;
}

QByteArray ModbusTcpProtocol::decode(const QByteArray& bytes, QByteArray* /*answer*/) {
    return answers_.read(bytes);
}
