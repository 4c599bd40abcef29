// SPDX-License-Identifier: MIT
#pragma once

#include "line_settings.h"

// How long frames take on an RS-485 line at its settings.
namespace LineTiming {
// Start bit, data bits, parity bit when there is one, stop bits.
int CharacterBits(const LineSettings& settings);
// Microseconds that bytes take on the wire.
qint64 WireMicroseconds(int bytes, const LineSettings& settings);
// The silence that ends a Modbus RTU frame: 3.5 characters, and 1750 µs above 19200 Bd.
qint64 SilenceMicroseconds(const LineSettings& settings);
// Whole milliseconds, rounded up, for a timer that must not be early.
int CeilMilliseconds(qint64 microseconds);
} // namespace LineTiming
