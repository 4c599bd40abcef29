// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>

// Opens a file for writing so that its descriptor (QFile::handle()) can be synced: Qt opens
// files on Windows through a native handle and gives no descriptor for it.
// False with *error set when it cannot.
bool OpenSyncable(QFile& file, QIODevice::OpenMode mode, QString* error);
// Writes what the system holds of the file to storage. Returns 0 or the errno.
int SyncToStorage(int descriptor);
