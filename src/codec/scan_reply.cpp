// SPDX-License-Identifier: MIT
#include "scan_reply.h"

#include "crc.h"
#include "frame_sizes.h"

namespace {

std::uint8_t at(const QByteArray& bytes, qsizetype index) {
    return static_cast<std::uint8_t>(bytes[index]);
}

} // namespace

ScanReply FindScanReply(std::uint8_t address, const QByteArray& received) {
    using namespace FrameSize;
    for (qsizetype start = 0; start + kExceptionReply <= received.size(); ++start) {
        if (at(received, start) != address)
            continue;
        const std::uint8_t function = at(received, start + 1);
        if (function == (Function::kReadRegisters | Function::kExceptionFlag)) {
            const QByteArray frame = received.mid(start, kExceptionReply);
            if (HasValidCrc(frame))
                return {ScanReply::Kind::Exception, at(frame, 2), frame};
            continue;
        }
        if (function != Function::kReadRegisters)
            continue;
        const int count = at(received, start + 2);
        const int length = kReplyHeader + count + kCrc;
        if (length != kOneRegisterReply && length != kTwoRegisterReply &&
            length != kSixteenByteReply)
            continue;
        if (start + length > received.size())
            continue;
        const QByteArray frame = received.mid(start, length);
        if (HasValidCrc(frame))
            return {ScanReply::Kind::Reading, 0, frame};
    }
    return {};
}
