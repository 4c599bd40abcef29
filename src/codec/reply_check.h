// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// What is wrong with what arrived after a request; None when the reply is accepted.
enum class ReplyFault {
    None,
    NoReply,        // nothing arrived, or a gateway said the device did not answer (0B)
    WrongLength,    // incomplete or too long
    WrongSender,    // another address or function code
    Exception,      // the sensor answered with an exception code
    CrcError,       // the frame check does not match the frame
    GatewayRefused, // a gateway has no path to the address (exception 0A)
};

struct ReplyVerdict {
    ReplyFault fault = ReplyFault::NoReply;
    // The code of an exception reply: for Exception, GatewayRefused (0A), and NoReply when a
    // gateway said the device failed to respond (0B).
    int exceptionCode = 0;

    bool accepted() const { return fault == ReplyFault::None; }
};

// What an exception reply with this code means: a gateway's "target failed to respond" counts
// as no reply, its "path unavailable" as its own refusal, any other code as the sensor's.
ReplyFault ExceptionFault(int exceptionCode);

// A reply is accepted when it starts with the request's address and function code, has one
// of the lengths 21, 24, 27 or 63 characters (7, 8, 9 or 21 bytes), and ends with the
// right CRC-16 (as AppendCRC computes it, low byte first).
ReplyVerdict JudgeReply(const QString& SendHex, const QString& ReceiveHex);
bool CheckReply(const QString& SendHex, const QString& ReceiveHex);
// The reply lengths in bytes the tool has always accepted after both of its requests.
const QList<int>& ToolsReplyBytes();
// The same check with the reply lengths, in bytes, that another model's requests are
// answered with (AcceptedReplyBytes).
ReplyVerdict JudgeReply(const QString& SendHex, const QString& ReceiveHex,
                        const QList<int>& acceptedBytes);

// The length of the reply to a read request that begins with head, as its first bytes
// announce it: 5 for an exception reply, header, count and CRC for a read reply. Nothing
// until the bytes that tell have arrived, or when they announce no such reply.
std::optional<int> AnnouncedReplyLength(const QByteArray& head);
// The same after a read with function 03 or 04.
std::optional<int> AnnouncedReplyLength(const QByteArray& head, int readFunction);
