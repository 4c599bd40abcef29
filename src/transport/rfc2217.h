// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// The numbers of the Telnet protocol (RFC 854, 856, 858) and of its COM-PORT-OPTION
// (RFC 2217) that both ends of a serial server's connection speak.
namespace Telnet {
constexpr quint8 kSe = 240;
constexpr quint8 kSb = 250;
constexpr quint8 kWill = 251;
constexpr quint8 kWont = 252;
constexpr quint8 kDo = 253;
constexpr quint8 kDont = 254;
constexpr quint8 kIac = 255;
constexpr quint8 kBinary = 0;
constexpr quint8 kSuppressGoAhead = 3;
constexpr quint8 kComPort = 44;
} // namespace Telnet

namespace ComPort {
// The client's commands; the server answers each with its code plus kServerAnswer.
constexpr quint8 kSetBaud = 1;
constexpr quint8 kSetDataSize = 2;
constexpr quint8 kSetParity = 3;
constexpr quint8 kSetStopSize = 4;
constexpr quint8 kServerAnswer = 100;
// A subnegotiation longer than this is no COM-PORT-OPTION command or answer.
constexpr int kLongestSubnegotiation = 64;
} // namespace ComPort
