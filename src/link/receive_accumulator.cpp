// SPDX-License-Identifier: MIT
#include "receive_accumulator.h"

#include "hex_transcript.h"

void AccumulateReceived(QString& ReceiveHex, const QByteArray& bytes) {
    const qsizetype room =
        (ReceiveLimit::kMaxCharacters - ReceiveHex.size()) / FrameSize::kTranscriptCharsPerByte;
    if (room <= 0)
        return;
    AppendTranscript(ReceiveHex, bytes.left(room));
}
