// SPDX-License-Identifier: MIT
#include "receive_accumulator.h"

#include "hex_transcript.h"
#include "serial_control.h"

void AccumulateReceived(QString& ReceiveHex, SerialControl& port) {
    if (port.commEvent() != CommEventCode::kReceive)
        return;
    // Read even when full, so the port's buffer is drained and the event not raised again.
    const QByteArray bytes = port.input();
    const qsizetype room =
        (ReceiveLimit::kMaxCharacters - ReceiveHex.size()) / FrameSize::kTranscriptCharsPerByte;
    if (room <= 0)
        return;
    AppendTranscript(ReceiveHex, bytes.left(room));
}
