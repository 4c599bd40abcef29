// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// What is wrong with what arrived after a request; None when the reply is accepted.
enum class ReplyFault {
    None,
    NoReply,     // nothing arrived
    WrongLength, // incomplete or too long
    WrongSender, // another address or function code
    Exception,   // the sensor answered with an exception code
    CrcError,    // the frame check does not match the frame
};

struct ReplyVerdict {
    ReplyFault fault = ReplyFault::NoReply;
    int exceptionCode = 0; // for ReplyFault::Exception

    bool accepted() const { return fault == ReplyFault::None; }
};

// A reply is accepted when it starts with the request's address and function code, has one
// of the lengths 21, 24, 27 or 63 characters (7, 8, 9 or 21 bytes), and ends with the
// right CRC-16 (as AppendCRC computes it, low byte first).
ReplyVerdict JudgeReply(const QString& SendHex, const QString& ReceiveHex);
bool CheckReply(const QString& SendHex, const QString& ReceiveHex);
