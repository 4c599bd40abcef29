// SPDX-License-Identifier: MIT
#include "record_file.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
bool syncToStorage(int descriptor) {
#if defined(Q_OS_WIN)
    return ::_commit(descriptor) == 0;
#elif defined(Q_OS_MACOS)
    return ::fsync(descriptor) == 0;
#else
    return ::fdatasync(descriptor) == 0;
#endif
}
} // namespace

bool RecordFile::open(const QString& path, Mode mode) {
    close();
    file_.setFileName(path);
    const QIODevice::OpenMode how =
        QIODevice::WriteOnly | QIODevice::Unbuffered |
        (mode == Mode::Append ? QIODevice::Append : QIODevice::Truncate);
    if (!file_.open(how)) {
        error_ = file_.errorString();
        return false;
    }
    sizeAtOpen_ = mode == Mode::Append ? file_.size() : 0;
    error_.clear();
    return true;
}

bool RecordFile::append(const QByteArray& bytes) {
    if (!file_.isOpen()) {
        error_ = QStringLiteral("not open");
        return false;
    }
    if (file_.write(bytes) != bytes.size() || !file_.flush()) {
        error_ = file_.errorString();
        return false;
    }
    const int descriptor = file_.handle();
    if (descriptor >= 0 && !syncToStorage(descriptor) && errno != EINVAL) {
        // EINVAL: a device such as a pipe that has nothing to sync.
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

void RecordFile::close() {
    if (file_.isOpen())
        file_.close();
}
