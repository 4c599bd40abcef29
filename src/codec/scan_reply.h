// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_model.h"

#include <QByteArray>
#include <QList>
#include <cstdint>

// What a scan makes of the bytes received after a read request to one address.
struct ScanReply {
    enum class Kind {
        None,      // nothing that counts (yet)
        Reading,   // a read reply: the sensor is there and answered
        Exception, // an exception reply: something is there, but refused the read
    };
    Kind kind = Kind::None;
    int exceptionCode = 0;
    QByteArray frame; // the reply that counted
};

// Finds, anywhere in received, a reply from address to the read request that counts: its
// CRC is right, its address and function match, and its byte count fits its length
// (2, 4 or 16 data bytes); or an exception reply (function 83) from that address. Bytes
// before it, such as a late reply from another address, are passed over.
ScanReply FindScanReply(std::uint8_t address, const QByteArray& received);

// The same for another read: its function, and exactly its registers.
ScanReply FindReadReply(std::uint8_t address, const RegisterRead& read, const QByteArray& received);
