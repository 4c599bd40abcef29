// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <cstdint>

// Module1: the Modbus RTU frame check and the two requests this tool sends.

// Returns bytes 0..lastIndex of data followed by their CRC-16/MODBUS, low byte first
// (lastIndex + 3 bytes). data must hold at least lastIndex + 1 bytes; it is not modified.
QByteArray AppendCRC(const QByteArray& data, std::uint8_t lastIndex);

// True when frame (more than its two CRC bytes) ends in the CRC-16 of what precedes it.
bool HasValidCrc(const QByteArray& frame);

// Read holding registers 0 and 1 of the sensor at moduleAddress.
QByteArray ReadRequest(std::uint8_t moduleAddress);

// Broadcast write of register 0 that gives a sensor the address newAddress.
QByteArray AddressWriteRequest(std::uint8_t newAddress);
