// SPDX-License-Identifier: MIT
#include "storage_sync.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

bool OpenSyncable(QFile& file, QIODevice::OpenMode mode, QString* error) {
    int flags = _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT;
    flags |= mode.testFlag(QIODevice::Append) ? _O_APPEND : _O_TRUNC;
    const int descriptor = ::_wopen(reinterpret_cast<const wchar_t*>(file.fileName().utf16()),
                                    flags, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (!file.open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
        *error = file.errorString();
        ::_close(descriptor);
        return false;
    }
    return true;
}

int SyncToStorage(int descriptor) {
    // _commit is FlushFileBuffers on the descriptor's handle.
    return ::_commit(descriptor) == 0 ? 0 : errno;
}
