// SPDX-License-Identifier: MIT
#pragma once

#include "frame_sizes.h"

#include <QByteArray>
#include <QString>

namespace ReceiveLimit {
// Whole bytes only; anything over 63 characters fails the reply check anyway, so the
// cap changes no verdict, it only keeps a flood from eating memory.
constexpr qsizetype kMaxCharacters = FrameSize::TranscriptLength(21845);
} // namespace ReceiveLimit

// Appends the bytes that arrived to ReceiveHex in arrival order, up to the cap.
void AccumulateReceived(QString& ReceiveHex, const QByteArray& received);
