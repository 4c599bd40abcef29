// SPDX-License-Identifier: MIT
#include "serial_system.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

WriteCompletion SystemWriteCompletion() {
    return WriteCompletion::BeforeFlushReturns;
}

bool DeviceKnownMissing(const QString& path) {
    // A dangling COMn link or a missing /dev node.
    return path.isEmpty() || !QFileInfo::exists(path);
}

bool UserLacksAccess(const QString& path) {
    // QSerialPort says "permission" both for a device another program holds (lock file,
    // TIOCEXCL) and for one this user may not open.
    const QByteArray native = QFile::encodeName(path);
    return ::access(native.constData(), R_OK | W_OK) != 0 && errno == EACCES;
}
