// SPDX-License-Identifier: MIT
#include "scan_reply.h"

#include "crc.h"
#include "frame_sizes.h"

namespace {

std::uint8_t at(const QByteArray& bytes, qsizetype index) {
    return static_cast<std::uint8_t>(bytes[index]);
}

ScanReply findReply(std::uint8_t address, int readFunction, const QList<int>& replyBytes,
                    const QByteArray& received) {
    using namespace FrameSize;
    for (qsizetype start = 0; start + kExceptionReply <= received.size(); ++start) {
        if (at(received, start) != address)
            continue;
        const std::uint8_t function = at(received, start + 1);
        if (function == (readFunction | Function::kExceptionFlag)) {
            const QByteArray frame = received.mid(start, kExceptionReply);
            if (HasValidCrc(frame))
                return {ScanReply::Kind::Exception, at(frame, 2), frame};
            continue;
        }
        if (function != readFunction)
            continue;
        const int count = at(received, start + 2);
        const int length = kReplyHeader + count + kCrc;
        if (!replyBytes.contains(length))
            continue;
        if (start + length > received.size())
            continue;
        const QByteArray frame = received.mid(start, length);
        if (HasValidCrc(frame))
            return {ScanReply::Kind::Reading, 0, frame};
    }
    return {};
}

} // namespace

ScanReply FindScanReply(std::uint8_t address, const QByteArray& received) {
    using namespace FrameSize;
    return findReply(address, Function::kReadRegisters,
                     {kOneRegisterReply, kTwoRegisterReply, kSixteenByteReply}, received);
}

ScanReply FindReadReply(std::uint8_t address, const RegisterRead& read,
                        const QByteArray& received) {
    using namespace FrameSize;
    return findReply(address, read.function, {kReplyHeader + 2 * read.count + kCrc}, received);
}
