// SPDX-License-Identifier: MIT
#include "reply_check.h"

#include "frame_sizes.h"

bool CheckReply(const QString& SendHex, const QString& ReceiveHex) {
    using namespace FrameSize;
    const auto length = ReceiveHex.size();
    if (length != TranscriptLength(kSixteenByteReply) &&
        length != TranscriptLength(kTwoRegisterReply) && length != TranscriptLength(kAddressEcho) &&
        length != TranscriptLength(kOneRegisterReply))
        return false;
    // "AA FF": the address and the function code.
    constexpr qsizetype kAddressAndFunction = TranscriptLength(2) - 1;
    if (SendHex.size() < kAddressAndFunction)
        return false;
    return QStringView(ReceiveHex).left(kAddressAndFunction) ==
           QStringView(SendHex).left(kAddressAndFunction);
}
