// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// The frame sizes replies are judged by, and their length as hex transcript.
namespace FrameSize {
constexpr int kRequest = 8;           // both requests: six bytes and the CRC
constexpr int kOneRegisterReply = 7;  // address, function, count 2, one register, CRC
constexpr int kAddressEcho = 8;       // the address write comes back as sent
constexpr int kTwoRegisterReply = 9;  // count 4: temperature and humidity
constexpr int kSixteenByteReply = 21; // count 16: eight registers
constexpr int kReplyHeader = 3;       // address, function, byte count
constexpr int kCrc = 2;
constexpr int kExceptionReply = 5;     // address, function | 80, code, CRC
constexpr int kMaxReadRegisters = 125; // the most one read may ask for

constexpr qsizetype kTranscriptCharsPerByte = 3;
constexpr qsizetype TranscriptLength(qsizetype bytes) {
    return kTranscriptCharsPerByte * bytes;
}
} // namespace FrameSize

// The Modbus function codes the tool sends, and the flag a refusal sets on them.
namespace Function {
constexpr int kReadRegisters = 0x03; // holding registers
constexpr int kReadInputRegisters = 0x04;
constexpr int kWriteRegister = 0x06;
constexpr int kExceptionFlag = 0x80;
} // namespace Function

// Requests to this address reach every sensor on the line.
constexpr int kBroadcastAddress = 0;
// The largest address the frame's address byte holds.
constexpr int kHighestAddress = 255;

// The exception codes a sensor refuses a request with, and those a Modbus gateway answers
// with in place of the device behind it.
namespace ExceptionCode {
constexpr int kIllegalFunction = 0x01;
constexpr int kIllegalAddress = 0x02; // a register it does not have
constexpr int kIllegalValue = 0x03;
constexpr int kGatewayPathUnavailable = 0x0A;  // no way to the unit: the gateway refuses
constexpr int kGatewayTargetNoResponse = 0x0B; // the gateway asked, the device stayed silent
} // namespace ExceptionCode
