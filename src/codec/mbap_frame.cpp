// SPDX-License-Identifier: MIT
#include "mbap_frame.h"

#include "crc.h"
#include "frame_sizes.h"

namespace {

quint16 wordAt(const QByteArray& bytes, qsizetype index) {
    return static_cast<quint16>((static_cast<quint8>(bytes[index]) << 8) |
                                static_cast<quint8>(bytes[index + 1]));
}

void appendWord(QByteArray& bytes, quint16 word) {
    bytes.append(static_cast<char>(word >> 8));
    bytes.append(static_cast<char>(word & 0xFF));
}

} // namespace

QByteArray MbapRequest(quint16 transactionId, const QByteArray& rtu) {
    // Address, function code, CRC at the least; a PDU too long for one RTU frame is no request.
    const qsizetype pduLength = rtu.size() - 1 - FrameSize::kCrc;
    if (pduLength < 1 || pduLength > Mbap::kMaxPdu)
        return {};
    QByteArray frame;
    frame.reserve(Mbap::kHeader + pduLength);
    appendWord(frame, transactionId);
    appendWord(frame, Mbap::kProtocolModbus);
    appendWord(frame, static_cast<quint16>(1 + pduLength));
    frame.append(rtu.left(1 + pduLength)); // the address is the unit id, then the PDU
    return frame;
}

void MbapAnswerReader::expect(quint16 transactionId) {
    awaited_ = transactionId;
}

void MbapAnswerReader::clear() {
    buffer_.clear();
    awaited_.reset();
}

QByteArray MbapAnswerReader::read(const QByteArray& bytes) {
    buffer_ += bytes;
    QByteArray answer;
    while (buffer_.size() >= Mbap::kHeader) {
        const quint16 length = wordAt(buffer_, 4);
        if (wordAt(buffer_, 2) != Mbap::kProtocolModbus || length < 2 ||
            length > 1 + Mbap::kMaxPdu) {
            // Not Modbus TCP: no length to find the next frame by, so nothing here is kept.
            buffer_.clear();
            ++dropped_;
            break;
        }
        const qsizetype frameLength = Mbap::kCountedHeader + length;
        if (buffer_.size() < frameLength)
            break;
        if (awaited_ && wordAt(buffer_, 0) == *awaited_) {
            const QByteArray unitAndPdu = buffer_.mid(Mbap::kCountedHeader, length);
            answer = AppendCRC(unitAndPdu, static_cast<std::uint8_t>(length - 1));
            awaited_.reset();
        } else {
            ++dropped_;
        }
        buffer_.remove(0, frameLength);
    }
    return answer;
}
