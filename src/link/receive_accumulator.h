// SPDX-License-Identifier: MIT
#pragma once

#include "frame_sizes.h"

#include <QString>

class SerialControl;

namespace ReceiveLimit {
// Whole bytes only; anything over 63 characters fails the reply check anyway, so the
// cap changes no verdict, it only keeps a flood from eating memory.
constexpr qsizetype kMaxCharacters = FrameSize::TranscriptLength(21845);
} // namespace ReceiveLimit

// Handles one event of the serial-port control: on "bytes received" appends every byte
// read to ReceiveHex in arrival order; every other event is ignored.
void AccumulateReceived(QString& ReceiveHex, SerialControl& port);
