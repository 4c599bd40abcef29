// SPDX-License-Identifier: MIT
#include "record_file.h"

#include "storage_sync.h"

#include <cerrno>
#include <cstring>

bool RecordFile::open(const QString& path, Mode mode) {
    close();
    file_.setFileName(path);
    const QIODevice::OpenMode how =
        QIODevice::WriteOnly | QIODevice::Unbuffered |
        (mode == Mode::Append ? QIODevice::Append : QIODevice::Truncate);
    if (!OpenSyncable(file_, how, &error_))
        return false;
    sizeAtOpen_ = mode == Mode::Append ? file_.size() : 0;
    error_.clear();
    syncWanted_ = false;
    stopping_ = false;
    syncErrno_ = 0;
    completedSyncs_ = 0;
    syncer_ = std::thread(&RecordFile::syncLoop, this, file_.handle());
    return true;
}

bool RecordFile::append(const QByteArray& bytes) {
    if (!file_.isOpen()) {
        error_ = QStringLiteral("not open");
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (syncErrno_ != 0) {
            error_ = QString::fromLocal8Bit(std::strerror(syncErrno_));
            return false;
        }
    }
    if (file_.write(bytes) != bytes.size() || !file_.flush()) {
        error_ = file_.errorString();
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        syncWanted_ = true;
    }
    wake_.notify_one();
    return true;
}

void RecordFile::syncLoop(int descriptor) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return syncWanted_ || stopping_; });
        if (!syncWanted_)
            return;
        syncWanted_ = false;
        lock.unlock();
        const int failure = descriptor >= 0 ? SyncToStorage(descriptor) : 0;
        lock.lock();
        // EINVAL: a file such as a pipe that has nothing to sync.
        if (failure != 0 && failure != EINVAL)
            syncErrno_ = failure;
        else if (descriptor >= 0)
            ++completedSyncs_;
    }
}

void RecordFile::close() {
    if (syncer_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        syncer_.join();
    }
    if (file_.isOpen())
        file_.close();
}
