// SPDX-License-Identifier: MIT
#include "serial_system.h"

WriteCompletion SystemWriteCompletion() {
    return WriteCompletion::Overlapped;
}

bool DeviceKnownMissing(const QString& path) {
    return path.isEmpty();
}

bool UserLacksAccess(const QString& /*path*/) {
    // Windows refuses a COM port that another program holds with "access denied"; there
    // are no device permissions for an ordinary user to lack.
    return false;
}
