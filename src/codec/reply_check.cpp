// SPDX-License-Identifier: MIT
#include "reply_check.h"

#include "crc.h"
#include "frame_sizes.h"

namespace {

// "AA FF": the address and the function code.
constexpr qsizetype kAddressAndFunction = FrameSize::TranscriptLength(2) - 1;

bool acceptedLength(qsizetype length) {
    using namespace FrameSize;
    return length == TranscriptLength(kSixteenByteReply) ||
           length == TranscriptLength(kTwoRegisterReply) ||
           length == TranscriptLength(kAddressEcho) ||
           length == TranscriptLength(kOneRegisterReply);
}

} // namespace

ReplyVerdict JudgeReply(const QString& SendHex, const QString& ReceiveHex) {
    if (ReceiveHex.isEmpty())
        return {ReplyFault::NoReply};
    const QByteArray sent = QByteArray::fromHex(SendHex.toLatin1());
    const QByteArray frame = QByteArray::fromHex(ReceiveHex.toLatin1());

    if (frame.size() == FrameSize::kExceptionReply && sent.size() >= 2 && frame[0] == sent[0] &&
        static_cast<quint8>(frame[1]) ==
            (static_cast<quint8>(sent[1]) | Function::kExceptionFlag)) {
        if (!HasValidCrc(frame))
            return {ReplyFault::CrcError};
        return {ReplyFault::Exception, static_cast<quint8>(frame[2])};
    }
    if (!acceptedLength(ReceiveHex.size()))
        return {ReplyFault::WrongLength};
    if (SendHex.size() < kAddressAndFunction || QStringView(ReceiveHex).left(kAddressAndFunction) !=
                                                    QStringView(SendHex).left(kAddressAndFunction))
        return {ReplyFault::WrongSender};
    if (!HasValidCrc(frame))
        return {ReplyFault::CrcError};
    return {ReplyFault::None};
}

bool CheckReply(const QString& SendHex, const QString& ReceiveHex) {
    return JudgeReply(SendHex, ReceiveHex).accepted();
}

std::optional<int> AnnouncedReplyLength(const QByteArray& head) {
    if (head.size() < 2)
        return std::nullopt;
    const int function = static_cast<quint8>(head[1]);
    if (function == (Function::kReadRegisters | Function::kExceptionFlag))
        return FrameSize::kExceptionReply;
    if (function != Function::kReadRegisters || head.size() < FrameSize::kReplyHeader)
        return std::nullopt;
    return FrameSize::kReplyHeader + static_cast<quint8>(head[2]) + FrameSize::kCrc;
}
