// SPDX-License-Identifier: MIT
#include "reply_check.h"

#include "crc.h"
#include "frame_sizes.h"

#include <algorithm>

namespace {

// "AA FF": the address and the function code.
constexpr qsizetype kAddressAndFunction = FrameSize::TranscriptLength(2) - 1;

bool acceptedLength(qsizetype length, const QList<int>& acceptedBytes) {
    return std::any_of(acceptedBytes.begin(), acceptedBytes.end(),
                       [&](int bytes) { return length == FrameSize::TranscriptLength(bytes); });
}

} // namespace

const QList<int>& ToolsReplyBytes() {
    static const QList<int> bytes = {FrameSize::kSixteenByteReply, FrameSize::kTwoRegisterReply,
                                     FrameSize::kAddressEcho, FrameSize::kOneRegisterReply};
    return bytes;
}

ReplyFault ExceptionFault(int exceptionCode) {
    switch (exceptionCode) {
    case ExceptionCode::kGatewayTargetNoResponse:
        return ReplyFault::NoReply;
    case ExceptionCode::kGatewayPathUnavailable:
        return ReplyFault::GatewayRefused;
    default:
        return ReplyFault::Exception;
    }
}

ReplyVerdict JudgeReply(const QString& SendHex, const QString& ReceiveHex) {
    return JudgeReply(SendHex, ReceiveHex, ToolsReplyBytes());
}

ReplyVerdict JudgeReply(const QString& SendHex, const QString& ReceiveHex,
                        const QList<int>& acceptedBytes) {
    if (ReceiveHex.isEmpty())
        return {ReplyFault::NoReply};
    const QByteArray sent = QByteArray::fromHex(SendHex.toLatin1());
    const QByteArray frame = QByteArray::fromHex(ReceiveHex.toLatin1());

    if (frame.size() == FrameSize::kExceptionReply && sent.size() >= 2 && frame[0] == sent[0] &&
        static_cast<quint8>(frame[1]) ==
            (static_cast<quint8>(sent[1]) | Function::kExceptionFlag)) {
        if (!HasValidCrc(frame))
            return {ReplyFault::CrcError};
        const int code = static_cast<quint8>(frame[2]);
        return {ExceptionFault(code), code};
    }
    if (!acceptedLength(ReceiveHex.size(), acceptedBytes))
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
    return AnnouncedReplyLength(head, Function::kReadRegisters);
}

std::optional<int> AnnouncedReplyLength(const QByteArray& head, int readFunction) {
    if (head.size() < 2)
        return std::nullopt;
    const int function = static_cast<quint8>(head[1]);
    if (function == (readFunction | Function::kExceptionFlag))
        return FrameSize::kExceptionReply;
    if (function != readFunction || head.size() < FrameSize::kReplyHeader)
        return std::nullopt;
    return FrameSize::kReplyHeader + static_cast<quint8>(head[2]) + FrameSize::kCrc;
}
