// SPDX-License-Identifier: MIT
#include "serial_system.h"

bool WriteHandedOver(const WriteAttempt& attempt, WriteCompletion completion) {
    if (attempt.queued != attempt.size || !attempt.flushed)
        return false;
    // An overlapped write still counts its bytes as pending until it completes.
    return completion == WriteCompletion::Overlapped || attempt.pendingAfterFlush == 0;
}
