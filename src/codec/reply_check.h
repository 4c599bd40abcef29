// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// A reply passes when it starts with the request's address and function code and has
// one of the lengths 21, 24, 27 or 63 characters (7, 8, 9 or 21 bytes). The reply's CRC
// is deliberately not checked.
bool CheckReply(const QString& SendHex, const QString& ReceiveHex);
