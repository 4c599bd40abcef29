// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// A file that rows are appended to one at a time. Each row is with the operating system
// before append returns, so the program dying loses nothing; a thread of its own then syncs
// it to storage, so a power cut loses at most the last row or so, and the caller never
// waits for the disk (a sync can take tens of milliseconds).
class RecordFile {
public:
    enum class Mode { Append, Replace };

    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile() { close(); }

    // Opens (creating when missing); false with error() set when it cannot.
    bool open(const QString& path, Mode mode);
    bool isOpen() const { return file_.isOpen(); }
    // Bytes already in the file when it was opened for appending.
    qint64 sizeAtOpen() const { return sizeAtOpen_; }
    // False with error() set when the bytes did not all reach the file, or an earlier
    // sync to storage failed.
    bool append(const QByteArray& bytes);
    // Syncs what is written, then closes.
    void close();
    QString error() const { return error_; }
    // Syncs to storage that have completed since open; each append asks for one, and
    // appends that come while one runs share the next.
    int completedSyncs() const { return completedSyncs_.load(); }
    QString path() const { return file_.fileName(); }

private:
    void syncLoop(int descriptor);

    QFile file_;
    qint64 sizeAtOpen_ = 0;
    QString error_;
    std::thread syncer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool syncWanted_ = false;
    bool stopping_ = false;
    int syncErrno_ = 0;
    std::atomic<int> completedSyncs_{0};
};
