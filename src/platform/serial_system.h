// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

// How the system's serial driver completes a write that flush() has started.
enum class WriteCompletion {
    BeforeFlushReturns, // Unix: flush() writes into the driver or fails
    Overlapped,         // Windows: flush() starts an overlapped write that ends later
};
WriteCompletion SystemWriteCompletion();

// What the send step saw right after queueing and flushing one request.
struct WriteAttempt {
    qint64 size = 0;   // bytes of the request
    qint64 queued = 0; // what write() accepted
    bool flushed = false;
    qint64 pendingAfterFlush = 0; // bytesToWrite() after flush()
};
// True when the request is with the driver and will go out on the line.
bool WriteHandedOver(const WriteAttempt& attempt, WriteCompletion completion);

// A device node known to be absent before trying to open it (Unix). Windows tells only
// by the failed open, so there this is never true.
bool DeviceKnownMissing(const QString& path);
// True when the open was refused because this user may not use the device at all, rather
// than because another program holds it.
bool UserLacksAccess(const QString& path);
