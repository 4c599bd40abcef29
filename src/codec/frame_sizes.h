// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// The frame sizes replies are judged by, and their length as hex transcript.
namespace FrameSize {
constexpr int kOneRegisterReply = 7;  // address, function, count 2, one register, CRC
constexpr int kAddressEcho = 8;       // the address write comes back as sent
constexpr int kTwoRegisterReply = 9;  // count 4: temperature and humidity
constexpr int kSixteenByteReply = 21; // count 16: eight registers
constexpr int kReplyHeader = 3;       // address, function, byte count
constexpr int kCrc = 2;

constexpr qsizetype kTranscriptCharsPerByte = 3;
constexpr qsizetype TranscriptLength(qsizetype bytes) {
    return kTranscriptCharsPerByte * bytes;
}
} // namespace FrameSize
