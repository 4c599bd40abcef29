// SPDX-License-Identifier: MIT
#include "storage_sync.h"

#include <cerrno>
#include <unistd.h>

bool OpenSyncable(QFile& file, QIODevice::OpenMode mode, QString* error) {
    if (file.open(mode))
        return true;
    *error = file.errorString();
    return false;
}

int SyncToStorage(int descriptor) {
#ifdef Q_OS_MACOS
    return ::fsync(descriptor) == 0 ? 0 : errno;
#else
    return ::fdatasync(descriptor) == 0 ? 0 : errno;
#endif
}
